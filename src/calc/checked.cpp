// Exact whole-number arithmetic and the check of printed real results.
#include "calc/checked.h"

#include <cmath>
#include <limits>

namespace {

CheckedInteger fits(bool overflowed, std::int64_t value) {
  if (overflowed)
    return {0, tooLargeMessage};
  return {value, {}};
}

}  // namespace

CheckedInteger checkedAdd(std::int64_t left, std::int64_t right) {
  std::int64_t sum = 0;
  bool overflowed = __builtin_add_overflow(left, right, &sum);
  return fits(overflowed, sum);
}

CheckedInteger checkedSubtract(std::int64_t left, std::int64_t right) {
  std::int64_t difference = 0;
  bool overflowed = __builtin_sub_overflow(left, right, &difference);
  return fits(overflowed, difference);
}

CheckedInteger checkedMultiply(std::int64_t left, std::int64_t right) {
  std::int64_t product = 0;
  bool overflowed = __builtin_mul_overflow(left, right, &product);
  return fits(overflowed, product);
}

CheckedInteger checkedDivide(std::int64_t dividend, std::int64_t divisor) {
  if (divisor == 0)
    return {0, divisionByZeroMessage};
  // The machine division traps on the smallest integer over -1.
  if (divisor == -1)
    return checkedSubtract(0, dividend);
  return {dividend / divisor, {}};
}

CheckedInteger checkedRemainder(std::int64_t dividend, std::int64_t divisor) {
  if (divisor == 0)
    return {0, divisionByZeroMessage};
  if (divisor == -1)
    return {0, {}};
  return {dividend % divisor, {}};
}

CheckedInteger checkedPower(std::int64_t base, std::int64_t exponent) {
  // Squaring keeps a huge exponent of 0, 1 or -1 quick; any other base
  // leaves the range within 64 squarings.
  CheckedInteger result{1, {}};
  std::int64_t factor = base;
  bool factorFits = true;
  for (std::int64_t left = exponent; left > 0; left >>= 1) {
    if (left & 1) {
      if (!factorFits)
        return {0, tooLargeMessage};
      result = checkedMultiply(result.value, factor);
      if (!result.ok())
        return result;
    }
    if (left > 1 && factorFits) {
      CheckedInteger square = checkedMultiply(factor, factor);
      factorFits = square.ok();
      factor = square.value;
    }
  }
  return result;
}

std::ostream& operator<<(std::ostream& out, const CheckedInteger& result) {
  if (!result.ok())
    return out << result.error;
  return out << result.value;
}

void writeReal(std::ostream& out, double value) {
  if (!std::isfinite(value)) {
    out << tooLargeMessage;
    return;
  }
  out << value;
}
