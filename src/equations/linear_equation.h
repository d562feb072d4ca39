// The linear equation command (key 1): one solution of ax + by = c, the one
// whose y is one half, for an equation typed as text such as 2x+3y=12.
#pragma once

#include <cstdint>

#include "console/console.h"
#include "equations/equation_scan.h"

struct LinearEquationAnswer {
  enum class Kind { solved, indeterminate, noSolution, invalidOperator };
  Kind kind;
  float x = 0;
  float y = 0;
};

// Computes in single precision. a = b = 0 is indeterminate when c is 0 and
// has no solution otherwise, whatever the operator. Otherwise the operator
// must be "+" or "-" (a line that ends before it has none). The degenerate
// equations are solved too: with b = 0 any y fits, so y stays one half and
// x = c / a; with a = 0 any x fits, so x is 0 and y = c / b (or -c / b).
LinearEquationAnswer solveLinearEquation(const ScannedEquation<std::int32_t>& equation);

void runLinearEquation(Console& console);
