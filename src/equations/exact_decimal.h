// Zero tests made exact for coefficients typed as decimals. A double read
// from "0.1" is not one tenth, so 0.6^2 - 4*0.1*0.9 comes out as a tiny
// negative number instead of 0; the shortest decimal that reads back as the
// same double is what was typed, and products of those fit a 128-bit
// integer scaled by a power of ten.
#pragma once

#include <optional>

// The sign (-1, 0 or 1) of a*b - k*c*d, each of a b c d taken as the shortest
// decimal that reads back as it. Nothing when a factor is not finite or the
// numbers need more digits than 128 bits hold; the caller then keeps its
// double computation.
std::optional<int> signOfProductDifference(double a, double b, double c, double d, int k = 1);
