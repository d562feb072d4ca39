// The linear system command (key 3): x and y from two equations typed as
// text, such as 2x+3y=8 and 1x-1y=-1.
#pragma once

#include <string_view>

#include "console/console.h"

struct LinearSystemAnswer {
  enum class Kind { solved, singular, outOfRange };
  Kind kind;
  double x = 0;
  double y = 0;
};

// Cramer's rule in double precision. Each equation is read whole, however
// long; fields it does not reach are 0, and an operator other than "-" counts
// as "+". singular when the determinant is exactly 0; outOfRange when the
// numbers leave the range of a double on the way.
LinearSystemAnswer solveLinearSystem(std::string_view first, std::string_view second);

void runLinearSystem(Console& console);
