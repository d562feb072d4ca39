// Zero tests made exact for coefficients typed as decimals.
#include "equations/exact_decimal.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

__extension__ typedef __int128 Wide;

// mantissa x 10^exponent.
struct Decimal {
  Wide mantissa = 0;
  int exponent = 0;
};

std::optional<Decimal> shortestDecimal(double value) {
  if (!std::isfinite(value))
    return std::nullopt;
  char text[64];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  if (error != std::errc())
    return std::nullopt;
  std::string_view digits(text, static_cast<std::size_t>(end - text));
  Decimal decimal;
  bool negative = !digits.empty() && digits.front() == '-';
  if (negative)
    digits.remove_prefix(1);
  bool afterPoint = false;
  std::size_t i = 0;
  for (; i < digits.size() && digits[i] != 'e'; ++i) {
    if (digits[i] == '.') {
      afterPoint = true;
      continue;
    }
    // At most 17 significant digits: no overflow here.
    decimal.mantissa = decimal.mantissa * 10 + (digits[i] - '0');
    if (afterPoint)
      --decimal.exponent;
  }
  if (i < digits.size()) {
    int power = 0;
    std::string_view rest = digits.substr(i + 1);
    if (!rest.empty() && rest.front() == '+')
      rest.remove_prefix(1);
    std::from_chars(rest.data(), rest.data() + rest.size(), power);
    decimal.exponent += power;
  }
  if (negative)
    decimal.mantissa = -decimal.mantissa;
  return decimal;
}

std::optional<Decimal> product(const Decimal& left, const Decimal& right) {
  Decimal result;
  if (__builtin_mul_overflow(left.mantissa, right.mantissa, &result.mantissa))
    return std::nullopt;
  result.exponent = left.exponent + right.exponent;
  return result;
}

// `decimal` brought down to `exponent`, no larger than its own.
std::optional<Wide> scaledTo(const Decimal& decimal, int exponent) {
  Wide value = decimal.mantissa;
  for (int step = exponent; step < decimal.exponent; ++step) {
    if (value == 0)
      return value;
    if (__builtin_mul_overflow(value, static_cast<Wide>(10), &value))
      return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<int> signOfProductDifference(double a, double b, double c, double d, int k) {
  std::optional<Decimal> da = shortestDecimal(a);
  std::optional<Decimal> db = shortestDecimal(b);
  std::optional<Decimal> dc = shortestDecimal(c);
  std::optional<Decimal> dd = shortestDecimal(d);
  if (!da || !db || !dc || !dd)
    return std::nullopt;
  std::optional<Decimal> left = product(*da, *db);
  std::optional<Decimal> right = product(*dc, *dd);
  if (right)
    right = product(*right, Decimal{k, 0});
  if (!left || !right)
    return std::nullopt;
  int exponent = left->exponent < right->exponent ? left->exponent : right->exponent;
  std::optional<Wide> l = scaledTo(*left, exponent);
  std::optional<Wide> r = scaledTo(*right, exponent);
  if (!l || !r)
    return std::nullopt;
  Wide difference = 0;
  if (__builtin_sub_overflow(*l, *r, &difference))
    return std::nullopt;
  return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}
