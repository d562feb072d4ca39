// Fuzzes the expression evaluator: any text either has a value or has none,
// and the value does not change when the text is grouped whole or has zero
// added to it.
#include <cmath>
#include <optional>
#include <string>

#include "calc/expression.h"
#include "fuzz_support.h"

namespace {

bool sameValue(double left, double right) {
  return left == right || (std::isnan(left) && std::isnan(right));
}

bool hasDigit(std::string_view text) {
  return text.find_first_of("0123456789") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text = asText(data, size);
  std::optional<double> value = evaluateExpression(text);
  if (!hasDigit(text))
    fuzzCheck(!value, "a text without a number has no value");
  if (!value)
    return 0;
  std::string whole(text);
  std::optional<double> grouped = evaluateExpression("(" + whole + ")");
  fuzzCheck(grouped && sameValue(*grouped, *value), "(text) has the value of text");
  // Operators apply strictly left to right, so a trailing +0 adds to the whole.
  std::optional<double> plusZero = evaluateExpression(whole + "+0");
  fuzzCheck(plusZero && sameValue(*plusZero, *value + 0.0), "text+0 has the value of text");
  return 0;
}
