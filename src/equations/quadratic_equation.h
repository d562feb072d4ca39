// The quadratic equation command (key 2): the real roots of ax^2 + bx + c = 0
// from its three coefficients.
#pragma once

#include "console/console.h"

struct QuadraticAnswer {
  enum class Kind { twoRoots, noRealRoots, oneRoot, indeterminate, noSolution, outOfRange };
  Kind kind;
  double x1 = 0;  // The only root when kind is oneRoot.
  double x2 = 0;
};

// x1 = (sqrt(disc) - b) / 2a and x2 = (-b - sqrt(disc)) / 2a, in double
// precision; a zero discriminant gives the same root twice. With a = 0 the
// equation is bx + c = 0 and is solved as such. outOfRange when the numbers
// leave the range of a double on the way (no infinity is a root).
QuadraticAnswer solveQuadraticEquation(double a, double b, double c);

void runQuadraticEquation(Console& console);
