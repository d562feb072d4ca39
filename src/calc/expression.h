// The expression command (key e): a simple integer calculator for one
// operation, and an evaluator of whole expressions that applies the four
// operators strictly from left to right, parentheses being the only grouping.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/checked.h"
#include "console/console.h"

inline constexpr std::string_view invalidExpressionMessage = "Errore: espressione non valida.";

// The value of an expression, or the error text in its place.
struct ExpressionResult {
  double value = 0;
  std::string_view error;
  bool ok() const { return error.empty(); }
};

// The value of `text`. Errors: an operator without two operands, a ")"
// without "(", a "(" still open at the end, or no number at all (invalid);
// a division by zero; a result beyond the doubles (too large). Only digits,
// "(", ")" and "+-*/" count; every other byte is skipped. Each run of digits
// is read as the nearest double.
ExpressionResult evaluateExpression(std::string_view text);

// `left op right`, exactly; an operator other than "+-*/" gives 0.
CheckedInteger computeSimpleExpression(std::int64_t left, char op, std::int64_t right);

// The e command.
void runExpression(Console& console);
