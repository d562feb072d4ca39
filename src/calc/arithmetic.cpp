// The arithmetic commands: each prompts, reads its numbers by formatted
// extraction and prints the exact result, or the error that takes its place.
#include "calc/arithmetic.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

#include "console/input.h"

namespace {

constexpr std::string_view countPrompt = "Inserisci quanti valori vuoi utilizzare: ";
constexpr std::string_view valuePrompt = "Valore: ";
constexpr std::string_view numberPrompt = "Inserisci il numero: ";
constexpr std::string_view anglePrompt = "Inserisci valore:";
constexpr std::string_view resultLabel = "Risultato: ";

// Once a read has failed every later one fails too and reads 0, which changes
// no sum; stopping there keeps a huge count at the end of the input from
// printing its prompt for ever.
bool canReadMore(const Console& console) { return !console.in.fail(); }

// Where an angle stands within one turn, and how many quarter turns that is
// when it is a whole number of them.
struct TurnPosition {
  double radians;
  std::optional<int> quarter;  // 0 to 3.
};

TurnPosition positionOf(double degrees) {
  // fmod is exact, so a multiple of 90 stays one whatever its size.
  double inTurn = std::fmod(degrees, 360.0);
  if (inTurn < 0)
    inTurn += 360.0;
  TurnPosition position{inTurn * std::numbers::pi / 180.0, std::nullopt};
  if (std::fmod(inTurn, 90.0) == 0)
    position.quarter = static_cast<int>(inTurn / 90.0) % 4;
  return position;
}

// Adding 0 turns a -0 into 0.
double withoutNegativeZero(double value) { return value + 0.0; }

// Sums or subtracts every value asked for, reading all of them even once the
// total has left the range, so none is left to be read as a command.
template <typename Step>
void runIntegerSeries(Console& console, std::int64_t count, CheckedInteger total, Step step) {
  for (std::int64_t i = 2; i <= count && canReadMore(console); ++i) {
    auto value = readValue<std::int64_t>(console, valuePrompt);
    if (total.ok())
      total = step(total.value, value);
  }
  if (!total.ok()) {
    console.out << total.error;
    return;
  }
  console.out << resultLabel << total.value;
}

}  // namespace

CheckedInteger computePower(std::int64_t base, std::int64_t exponent) {
  if (exponent < 0)
    return {0, negativeExponentMessage};
  return checkedPower(base, exponent);
}

double sineOfDegrees(double degrees) {
  TurnPosition position = positionOf(degrees);
  if (position.quarter)
    return static_cast<double>(std::array<int, 4>{0, 1, 0, -1}[*position.quarter]);
  return withoutNegativeZero(std::sin(position.radians));
}

double cosineOfDegrees(double degrees) {
  TurnPosition position = positionOf(degrees);
  if (position.quarter)
    return static_cast<double>(std::array<int, 4>{1, 0, -1, 0}[*position.quarter]);
  return withoutNegativeZero(std::cos(position.radians));
}

std::optional<double> tangentOfDegrees(double degrees) {
  TurnPosition position = positionOf(degrees);
  if (position.quarter) {
    if (*position.quarter % 2 == 1)
      return std::nullopt;
    return 0.0;
  }
  return withoutNegativeZero(std::tan(position.radians));
}

RootResult computeRoot(std::int64_t number, std::int64_t index) {
  if (index == 0)
    return {0, "Errore: l'indice della radice non puo' essere zero."};
  bool negative = number < 0;
  if (negative && index % 2 == 0)
    return {0, "Errore: radice di indice pari di un numero negativo."};
  double magnitude = std::fabs(static_cast<double>(number));
  double root = std::pow(magnitude, 1.0 / static_cast<double>(index));
  if (negative)
    root = -root;
  if (!std::isfinite(static_cast<float>(root)))
    return {0, tooLargeMessage};
  return {root, {}};
}

void runAddition(Console& console) {
  auto count = readValue<std::int64_t>(console, countPrompt);
  CheckedInteger total{0, {}};
  if (count >= 1)
    total = checkedAdd(0, readValue<std::int64_t>(console, valuePrompt));
  runIntegerSeries(console, count, total, checkedAdd);
}

void runSubtraction(Console& console) {
  auto count = readValue<std::int64_t>(console, countPrompt);
  CheckedInteger total{readValue<std::int64_t>(console, valuePrompt), {}};
  runIntegerSeries(console, count, total, checkedSubtract);
}

void runMultiplication(Console& console) {
  console.out << "Inserisci i due valori per eseguire la moltiplicazione:" << std::endl;
  auto left = readValue<double>(console, valuePrompt);
  auto right = readValue<double>(console, valuePrompt);
  if (!std::isfinite(left * right)) {
    console.out << tooLargeMessage;
    return;
  }
  console.out << resultLabel << left * right;
}

void runDivision(Console& console) {
  std::ostream& out = console.out;
  out << "Inserisci i due valori per eseguire la divisone (NO valori decimali):" << std::endl;
  auto dividend = readValue<std::int64_t>(console, valuePrompt);
  auto divisor = readValue<std::int64_t>(console, valuePrompt);
  out << "IL risultato lo vuoi normale(1) o con il resto(2)?" << std::endl;
  auto mode = readValue<std::int64_t>(console, inputPrompt);
  if (mode <= 1) {
    if (divisor == 0) {
      out << divisionByZeroMessage;
      return;
    }
    out << resultLabel << static_cast<double>(dividend) / static_cast<double>(divisor);
    return;
  }
  CheckedInteger quotient = checkedDivide(dividend, divisor);
  if (!quotient.ok()) {
    out << quotient.error << std::endl;
    return;
  }
  out << resultLabel << quotient.value << std::endl
      << "Resto: " << checkedRemainder(dividend, divisor).value << std::endl;
}

void runPower(Console& console) {
  auto base = readValue<std::int64_t>(console, numberPrompt);
  auto exponent = readValue<std::int64_t>(console, "Inserisci l'esponente: ");
  CheckedInteger result = computePower(base, exponent);
  if (!result.ok()) {
    console.out << result.error;
    return;
  }
  console.out << resultLabel << result.value;
}

void runAverage(Console& console) {
  // The count may be a decimal: 2.5 asks for two values and divides by 2.
  auto count = readValue<double>(console, countPrompt);
  if (!(count >= 1.0)) {
    console.out << "Errore: inserisci almeno un valore.";
    return;
  }
  double sum = 0.0;
  double asked = 0.0;
  for (double i = 1.0; count >= i && canReadMore(console); i += 1.0) {
    sum += readValue<double>(console, valuePrompt);
    asked = i;
  }
  double mean = sum / asked;
  if (!std::isfinite(mean)) {
    console.out << tooLargeMessage;
    return;
  }
  console.out << resultLabel << mean;
}

void runSine(Console& console) {
  auto angle = readValue<double>(console, anglePrompt);
  console.out << resultLabel << sineOfDegrees(angle);
}

void runCosine(Console& console) {
  auto angle = readValue<double>(console, anglePrompt);
  console.out << resultLabel << cosineOfDegrees(angle);
}

void runTangent(Console& console) {
  auto angle = readValue<double>(console, anglePrompt);
  std::optional<double> tangent = tangentOfDegrees(angle);
  if (!tangent) {
    console.out << undefinedTangentMessage;
    return;
  }
  console.out << resultLabel << *tangent;
}

void runRoot(Console& console) {
  auto number = readValue<std::int64_t>(console, numberPrompt);
  auto index = readValue<std::int64_t>(console, "Inserisci l'esponente per la radice: ");
  RootResult root = computeRoot(number, index);
  if (!root.error.empty()) {
    console.out << root.error << std::endl;
    return;
  }
  console.out << "La radice " << index << "-esima di " << number
              << " e': " << static_cast<float>(root.value) << std::endl;
}
