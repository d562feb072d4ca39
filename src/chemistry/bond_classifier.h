// The bond classifier command (key 4): the kind of bond between two elements
// from the difference of their electronegativities.
#pragma once

#include <string_view>

#include "console/console.h"

// What classifyBond answers when the first symbol is not in the table,
// whatever the second is.
inline constexpr std::string_view firstElementMissing = "error";
// What classifyBond answers when only the second symbol is missing.
inline constexpr std::string_view secondElementMissing = "0";

// "Puro" below a difference of 0.4, "Ionico" above 1.9, "Polarizzato" in
// between (both limits included), the differences taken in double precision;
// or one of the two texts above. The symbols are looked up exactly as given.
std::string_view classifyBond(std::string_view first, std::string_view second);

// The 4 command.
void runBondClassifier(Console& console);
