// The base conversion command: the two conversions and the menu around them.
#include "calc/base_conversion.h"

#include <algorithm>

#include "console/input.h"

namespace {

constexpr std::string_view numberPrompt = "Inserisci il numero da convertire: ";
constexpr std::string_view digitSymbols = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The value of a digit symbol, or 36 for a byte that is none.
int digitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'Z')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'z')
    return c - 'a' + 10;
  return 36;
}

bool isValidBase(std::int64_t base) {
  return base >= 2 && base <= static_cast<std::int64_t>(digitSymbols.size());
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
  auto number = readValue<std::int64_t>(console, numberPrompt);
  auto base = readValue<std::int64_t>(console, "Inserisci la base di destinazione: ");
  std::optional<std::string> result = convertFromDecimal(number, base);
  if (!result) {
    printInvalidChoice(console.out);
    return;
  }
  console.out << "Il risultato: " << *result << std::endl << std::endl;
}

void runToDecimal(Console& console) {
  auto digits = readValue<std::string>(console, numberPrompt);
  auto base = readValue<std::int64_t>(console, "Inserisci la base di partenza: ");
  CheckedInteger result = convertToDecimal(digits, base);
  if (!result.ok()) {
    console.out << result.error << std::endl << std::endl;
    return;
  }
  console.out << "Il risultato: " << result.value << std::endl << std::endl;
}

}  // namespace

std::optional<std::string> convertFromDecimal(std::int64_t number, std::int64_t base) {
  if (!isValidBase(base))
    return std::nullopt;
  // The magnitude of the smallest number does not fit its own type.
  std::uint64_t magnitude =
      number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
  auto radix = static_cast<std::uint64_t>(base);
  std::string text;
  do {
    text.push_back(digitSymbols[magnitude % radix]);
    magnitude /= radix;
  } while (magnitude != 0);
  if (number < 0)
    text.push_back('-');
  std::reverse(text.begin(), text.end());
  return text;
}

CheckedInteger convertToDecimal(std::string_view digits, std::int64_t base) {
  CheckedInteger invalid{0, invalidForBaseMessage};
  if (!isValidBase(base))
    return invalid;
  bool negative = !digits.empty() && digits.front() == '-';
  if (negative)
    digits.remove_prefix(1);
  if (digits.empty())
    return invalid;
  // Built toward the negative side, which holds one value more.
  CheckedInteger total{0, {}};
  for (char c : digits) {
    int value = digitValue(c);
    if (value >= base)
      return invalid;
    if (total.ok()) {
      total = checkedMultiply(total.value, base);
      if (total.ok())
        total = checkedSubtract(total.value, value);
    }
  }
  if (!total.ok() || negative)
    return total;
  return checkedSubtract(0, total.value);
}

void runBaseConversion(Console& console) {
  for (;;) {
    printMenu(console.out);
    // A failed stream reads 0, which leaves the menu.
    auto choice = readValue<std::int64_t>(console, inputPrompt);
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
