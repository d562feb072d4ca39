// The molar mass command (key o): the mass of a formula written as element
// symbols with optional counts, from the molar mass table.
#pragma once

#include <cstdint>
#include <string_view>

#include "console/console.h"

// The largest count a formula may give one symbol.
inline constexpr std::int32_t largestAtomCount = 2147483647;

// Why a formula has no mass.
enum class FormulaFault {
  none,
  unsupportedSymbol,  // The symbol is not in the molar mass table.
  countTooLarge,      // The symbol is known but its count exceeds largestAtomCount.
};

struct MolarMass {
  double grams = 0.0;  // Meaningful only when there is no fault.
  FormulaFault fault = FormulaFault::none;
  std::string_view symbol;  // The symbol at fault: a view into the formula.
};

// Reads `formula` as a sequence of symbols, each any one byte plus at most one
// small ASCII letter, and each optionally followed by decimal digits that
// count it. Each term is computed in single precision (count times mass) and
// summed in double precision. Stops at the first symbol at fault. Never
// allocates, so `formula` must outlive the result.
MolarMass computeMolarMass(std::string_view formula);

// The o command.
void runMolarMass(Console& console);
