// The base conversion command (key c): whole numbers from base 10 to another
// base and back, from a menu that repeats until the user leaves it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console/console.h"

#include "calc/checked.h"

inline constexpr std::string_view invalidForBaseMessage =
    "Errore: numero non valido per la base scelta.";

// `number` written in `base`, digits 0-9 then A-Z, with a minus sign before
// the digits of a negative number's magnitude. Nothing for a base outside 2
// to 36.
std::optional<std::string> convertFromDecimal(std::int64_t number, std::int64_t base);

// The value of `digits` read in `base` (2 to 36): an optional leading "-",
// then at least one digit valid for the base (0-9, then letters in either
// case). Anything else is invalid; a value beyond the signed 64-bit range is
// too large.
CheckedInteger convertToDecimal(std::string_view digits, std::int64_t base);

// The c command.
void runBaseConversion(Console& console);
