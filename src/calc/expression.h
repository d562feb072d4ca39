// The expression command (key e): a simple integer calculator for one
// operation, and an evaluator of whole expressions that applies the four
// operators strictly from left to right, parentheses being the only grouping.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "console/console.h"

// The value of `text`, or nothing when it cannot be evaluated: an operator
// without two operands, a ")" without "(", a "(" still open at the end, or no
// number at all. Only digits, "(", ")" and "+-*/" count; every other byte is
// skipped. Division by zero is not an error: it gives an infinity or a NaN.
std::optional<double> evaluateExpression(std::string_view text);

// `left op right` in 32-bit arithmetic that wraps around; an operator other
// than "+-*/" gives 0. Nothing on division by zero.
std::optional<std::int32_t> computeSimpleExpression(std::int32_t left, char op, std::int32_t right);

// The e command.
void runExpression(Console& console);
