// Fuzzes the molar mass scanner: a formula has a finite, non-negative mass
// or names the symbol at fault, and a formula written twice weighs twice as
// much.
#include <cmath>
#include <string>

#include "chemistry/molar_mass.h"
#include "fuzz_support.h"

namespace {

bool isSmallLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

void checkFault(std::string_view formula, const MolarMass& mass) {
  const char* begin = formula.data();
  const char* end = begin + formula.size();
  fuzzCheck(!mass.symbol.empty() && mass.symbol.size() <= 2, "the symbol at fault has 1-2 bytes");
  fuzzCheck(mass.symbol.data() >= begin && mass.symbol.data() + mass.symbol.size() <= end,
            "the symbol at fault lies within the formula");
  if (mass.fault == FormulaFault::countTooLarge) {
    const char* after = mass.symbol.data() + mass.symbol.size();
    fuzzCheck(after < end && *after >= '0' && *after <= '9',
              "a count too large follows its symbol");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view formula = asText(data, size);
  MolarMass mass = computeMolarMass(formula);
  if (mass.fault != FormulaFault::none) {
    checkFault(formula, mass);
    return 0;
  }
  fuzzCheck(std::isfinite(mass.grams) && mass.grams >= 0.0, "a mass is finite and not negative");
  // Written twice, the formula's last symbol could take the first byte of the
  // copy as its small letter or count; only then do the halves interact.
  if (formula.empty() || isSmallLetterOrDigit(formula.front()))
    return 0;
  std::string twice = std::string(formula) + std::string(formula);
  MolarMass doubled = computeMolarMass(twice);
  fuzzCheck(doubled.fault == FormulaFault::none, "a valid formula written twice stays valid");
  fuzzCheck(std::abs(doubled.grams - 2.0 * mass.grams) <= 1e-9 * 2.0 * mass.grams,
            "a formula written twice weighs twice as much");
  return 0;
}
