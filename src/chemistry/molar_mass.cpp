// The molar mass command: the formula scanner and the dialogue around it.
#include "chemistry/molar_mass.h"

#include <optional>
#include <string>

#include "chemistry/element_tables.h"
#include "console/ascii.h"
#include "console/input.h"

namespace {

// The digits starting at `position`, as a count; nothing when the count
// exceeds the largest allowed. All the digits are consumed either way.
std::optional<std::int32_t> readCount(std::string_view formula, std::size_t& position) {
  std::int64_t count = 0;
  bool tooLarge = false;
  for (; position < formula.size() && isAsciiDigit(formula[position]); ++position) {
    count = count * 10 + (formula[position] - '0');
    // Once past the limit the digits are only skipped, so count stays small.
    if (count > largestAtomCount) {
      tooLarge = true;
      count = 0;
    }
  }
  if (tooLarge)
    return std::nullopt;
  return static_cast<std::int32_t>(count);
}

void printFault(std::ostream& out, const MolarMass& mass) {
  out << std::endl;
  if (mass.fault == FormulaFault::unsupportedSymbol)
    out << "Errore: l'atomo " << mass.symbol << " non e' supportato";
  else
    out << "Errore: il numero di atomi di " << mass.symbol << " supera " << largestAtomCount;
  out << std::endl;
}

}  // namespace

MolarMass computeMolarMass(std::string_view formula) {
  const MolarMassTable& table = molarMassTable();
  double total = 0.0;
  std::size_t position = 0;
  while (position < formula.size()) {
    std::size_t start = position++;
    if (position < formula.size() && isAsciiLower(formula[position]))
      ++position;
    std::string_view symbol = formula.substr(start, position - start);
    bool counted = position < formula.size() && isAsciiDigit(formula[position]);
    std::optional<std::int32_t> count = counted ? readCount(formula, position) : 1;
    // An unknown symbol is reported before anything about its count.
    std::optional<float> mass = table.find(symbol);
    if (!mass)
      return {0.0, FormulaFault::unsupportedSymbol, symbol};
    if (!count)
      return {0.0, FormulaFault::countTooLarge, symbol};
    float term = static_cast<float>(*count) * *mass;
    total += static_cast<double>(term);
  }
  return {total, FormulaFault::none, {}};
}

void runMolarMass(Console& console) {
  console.out << "Inserisci la formula chimica: " << std::endl << std::endl << inputPrompt;
  std::string formula;
  // The word read fails only at the end of input: there is no formula to
  // answer for.
  if (!(console.in >> formula))
    return;
  MolarMass mass = computeMolarMass(formula);
  if (mass.fault != FormulaFault::none) {
    printFault(console.out, mass);
    return;
  }
  console.out << std::endl << "La massa molare di " << formula << " e' " << mass.grams << std::endl;
}
