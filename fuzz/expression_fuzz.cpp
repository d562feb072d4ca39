// Fuzzes the expression evaluator: any text either has a finite value or an
// error, and the value does not change when the text is grouped whole or has
// zero added to it.
#include <cmath>
#include <string>

#include "calc/expression.h"
#include "fuzz_support.h"

namespace {

bool hasDigit(std::string_view text) {
  return text.find_first_of("0123456789") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text = asText(data, size);
  ExpressionResult value = evaluateExpression(text);
  if (!hasDigit(text))
    fuzzCheck(!value.ok(), "a text without a number has no value");
  if (!value.ok())
    return 0;
  fuzzCheck(std::isfinite(value.value), "a value is never inf or nan");
  std::string whole(text);
  ExpressionResult grouped = evaluateExpression("(" + whole + ")");
  fuzzCheck(grouped.ok() && grouped.value == value.value, "(text) has the value of text");
  // Operators apply strictly left to right, so a trailing +0 adds to the whole.
  ExpressionResult plusZero = evaluateExpression(whole + "+0");
  fuzzCheck(plusZero.ok() && plusZero.value == value.value + 0.0,
            "text+0 has the value of text");
  return 0;
}
