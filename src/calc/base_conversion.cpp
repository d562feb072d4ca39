// The base conversion command: the two conversions and the menu around them.
#include "calc/base_conversion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "console/input.h"

namespace {

constexpr std::string_view numberPrompt = "Inserisci il numero da convertire: ";
constexpr std::string_view digitSymbols = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

int digitValue(char c) {
  if (c >= 'A' && c <= 'Z')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'z')
    return c - 'a' + 10;
  // Bytes above 0x7F count as the negative codes they have on the Windows
  // console, whatever the signedness of char here.
  return static_cast<signed char>(c) - '0';
}

// Truncated toward zero; nothing when that does not fit (NaN included).
std::optional<std::int32_t> truncateToInt32(double value) {
  constexpr double lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double highest = std::numeric_limits<std::int32_t>::max();
  double whole = std::trunc(value);
  if (!(whole >= lowest && whole <= highest))
    return std::nullopt;
  return static_cast<std::int32_t>(whole);
}

void printMenu(std::ostream& out) {
  out << "Scegli un'opzione:" << std::endl
      << "1. Converti da base 10 a un'altra base" << std::endl
      << "2. Converti da un'altra base a base 10" << std::endl
      << "0. Esci" << std::endl
      << std::endl
      << std::endl;
}

void printInvalidChoice(std::ostream& out) { out << "Scelta non valida" << std::endl; }

void runFromDecimal(Console& console) {
  auto number = readValue<std::int32_t>(console, numberPrompt);
  auto base = readValue<std::int32_t>(console, "Inserisci la base di destinazione: ");
  std::optional<std::string> result = convertFromDecimal(number, base);
  if (!result) {
    printInvalidChoice(console.out);
    return;
  }
  console.out << "Il risultato: " << *result << std::endl << std::endl;
}

void runToDecimal(Console& console) {
  auto digits = readValue<std::string>(console, numberPrompt);
  auto base = readValue<std::int32_t>(console, "Inserisci la base di partenza: ");
  std::optional<std::int32_t> result = convertToDecimal(digits, base);
  if (!result) {
    console.out << "Errore: numero troppo grande." << std::endl << std::endl;
    return;
  }
  console.out << "Il risultato: " << *result << std::endl << std::endl;
}

}  // namespace

std::optional<std::string> convertFromDecimal(std::int32_t number, std::int32_t base) {
  if (base < 2 || base > static_cast<std::int32_t>(digitSymbols.size()))
    return std::nullopt;
  std::string text;
  for (; number > 0; number /= base)
    text.push_back(digitSymbols[number % base]);
  std::reverse(text.begin(), text.end());
  return text;
}

std::optional<std::int32_t> convertToDecimal(std::string_view digits, std::int32_t base) {
  std::int32_t total = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    // A zero adds nothing, even where its weight has grown to infinity.
    if (digitValue(digits[i]) == 0)
      continue;
    double weight = std::pow(base, static_cast<double>(digits.size() - 1 - i));
    std::optional<std::int32_t> step = truncateToInt32(digitValue(digits[i]) * weight + total);
    if (!step)
      return std::nullopt;
    total = *step;
  }
  return total;
}

void runBaseConversion(Console& console) {
  for (;;) {
    printMenu(console.out);
    // A failed stream reads 0, which leaves the menu.
    auto choice = readValue<std::int32_t>(console, inputPrompt);
    if (choice == 0)
      return;
    if (choice == 1)
      runFromDecimal(console);
    else if (choice == 2)
      runToDecimal(console);
    else
      printInvalidChoice(console.out);
  }
}
