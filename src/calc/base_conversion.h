// The base conversion command (key c): whole numbers from base 10 to another
// base and back, from a menu that repeats until the user leaves it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console/console.h"

// `number` written in `base`, digits 0-9 then A-Z; empty for a number of 0 or
// less. Nothing for a base outside 2 to 36.
std::optional<std::string> convertFromDecimal(std::int32_t number, std::int32_t base);

// The value of `digits` read in `base`, neither of them checked: letters count
// 10 to 35 in either case, any other byte its code minus the code of "0" (so
// 19 in base 2 is 11). Nothing when a step leaves the signed 32-bit range.
std::optional<std::int32_t> convertToDecimal(std::string_view digits, std::int32_t base);

// The c command.
void runBaseConversion(Console& console);
