// Exact whole-number arithmetic and the check every printed real result
// passes: a result that does not fit is said, never printed wrapped or as
// inf or nan.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

inline constexpr std::string_view tooLargeMessage = "Errore: numero troppo grande.";
inline constexpr std::string_view divisionByZeroMessage = "Errore: divisione per zero.";

// A signed 64-bit result, or the error text that takes its place.
struct CheckedInteger {
  std::int64_t value = 0;
  std::string_view error;
  bool ok() const { return error.empty(); }
};

CheckedInteger checkedAdd(std::int64_t left, std::int64_t right);
CheckedInteger checkedSubtract(std::int64_t left, std::int64_t right);
CheckedInteger checkedMultiply(std::int64_t left, std::int64_t right);
// Truncated toward zero.
CheckedInteger checkedDivide(std::int64_t dividend, std::int64_t divisor);
// The remainder of checkedDivide, with the sign of the dividend.
CheckedInteger checkedRemainder(std::int64_t dividend, std::int64_t divisor);
// `exponent` must not be negative; anything to the 0 is 1.
CheckedInteger checkedPower(std::int64_t base, std::int64_t exponent);

// Writes the value or its error.
std::ostream& operator<<(std::ostream& out, const CheckedInteger& result);

// Writes `value`, or the too-large text when it is inf or nan.
void writeReal(std::ostream& out, double value);
