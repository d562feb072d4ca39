// The arithmetic commands: each prompts, reads its numbers by formatted
// extraction, computes in the type its command works in and prints the
// result with the stream's default formatting.
#include "calc/arithmetic.h"

#include <cmath>
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

void printAngleFunction(Console& console, float (*function)(float)) {
  float angle = readValue<float>(console, anglePrompt);
  console.out << resultLabel << function(angle / degreeDivisor);
}

}  // namespace

std::int32_t wrappingAdd(std::int32_t left, std::int32_t right) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(left) +
                                   static_cast<std::uint32_t>(right));
}

std::int32_t wrappingSubtract(std::int32_t left, std::int32_t right) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(left) -
                                   static_cast<std::uint32_t>(right));
}

std::int32_t wrappingMultiply(std::int32_t left, std::int32_t right) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(left) *
                                   static_cast<std::uint32_t>(right));
}

std::int32_t computePower(std::int32_t base, std::int32_t exponent) {
  if (exponent < 2)
    return base;
  // Wrapped multiplication is associative, so squaring gives the product of
  // `exponent` factors without billions of steps for a large exponent.
  std::uint32_t result = 1;
  std::uint32_t factor = static_cast<std::uint32_t>(base);
  for (std::uint32_t left = static_cast<std::uint32_t>(exponent); left != 0; left >>= 1) {
    if (left & 1u)
      result *= factor;
    factor *= factor;
  }
  return static_cast<std::int32_t>(result);
}

std::optional<IntegerDivision> divideIntegers(std::int32_t dividend, std::int32_t divisor) {
  if (divisor == 0)
    return std::nullopt;
  // The machine division traps on the smallest integer over -1.
  if (divisor == -1)
    return IntegerDivision{wrappingSubtract(0, dividend), 0};
  return IntegerDivision{dividend / divisor, dividend % divisor};
}

void runAddition(Console& console) {
  auto count = readValue<std::int32_t>(console, countPrompt);
  std::int32_t sum = 0;
  for (std::int64_t i = 1; i <= count && canReadMore(console); ++i)
    sum = wrappingAdd(sum, readValue<std::int32_t>(console, valuePrompt));
  console.out << resultLabel << sum;
}

void runSubtraction(Console& console) {
  auto count = readValue<std::int32_t>(console, countPrompt);
  auto result = readValue<std::int32_t>(console, valuePrompt);
  for (std::int64_t i = 2; i <= count && canReadMore(console); ++i)
    result = wrappingSubtract(result, readValue<std::int32_t>(console, valuePrompt));
  console.out << resultLabel << result;
}

void runMultiplication(Console& console) {
  console.out << "Inserisci i due valori per eseguire la moltiplicazione:" << std::endl;
  auto left = readValue<double>(console, valuePrompt);
  auto right = readValue<double>(console, valuePrompt);
  console.out << resultLabel << left * right;
}

void runDivision(Console& console) {
  std::ostream& out = console.out;
  out << "Inserisci i due valori per eseguire la divisone (NO valori decimali):" << std::endl;
  auto dividend = readValue<std::int32_t>(console, valuePrompt);
  auto divisor = readValue<std::int32_t>(console, valuePrompt);
  out << "IL risultato lo vuoi normale(1) o con il resto(2)?" << std::endl;
  auto mode = readValue<std::int32_t>(console, inputPrompt);
  if (mode <= 1) {
    out << resultLabel << static_cast<double>(dividend) / static_cast<double>(divisor);
    return;
  }
  std::optional<IntegerDivision> division = divideIntegers(dividend, divisor);
  if (!division) {
    out << "Errore: divisione per zero." << std::endl;
    return;
  }
  out << resultLabel << division->quotient << std::endl
      << "Resto: " << division->remainder << std::endl;
}

void runPower(Console& console) {
  auto base = readValue<std::int32_t>(console, numberPrompt);
  auto exponent = readValue<std::int32_t>(console, "Inserisci l'esponente: ");
  console.out << resultLabel << computePower(base, exponent);
}

void runAverage(Console& console) {
  // The count is a double: 2.5 reads two values and divides by 2.5.
  auto count = readValue<double>(console, countPrompt);
  double sum = 0.0;
  for (double i = 1.0; count >= i && canReadMore(console); i += 1.0)
    sum += readValue<double>(console, valuePrompt);
  console.out << resultLabel << sum / count;
}

void runSine(Console& console) {
  printAngleFunction(console, [](float radians) { return std::sin(radians); });
}

void runCosine(Console& console) {
  printAngleFunction(console, [](float radians) { return std::cos(radians); });
}

void runTangent(Console& console) {
  printAngleFunction(console, [](float radians) { return std::tan(radians); });
}

void runRoot(Console& console) {
  auto number = readValue<std::int32_t>(console, numberPrompt);
  auto index = readValue<std::int32_t>(console, "Inserisci l'esponente per la radice: ");
  double root = std::pow(static_cast<double>(number), 1.0 / static_cast<double>(index));
  console.out << "La radice " << index << "-esima di " << number
              << " e': " << static_cast<float>(root) << std::endl;
}
