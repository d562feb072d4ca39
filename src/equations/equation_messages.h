// Answers the equation commands share, and how they print a solution.
#pragma once

#include <string_view>

inline constexpr std::string_view indeterminateMessage = "L'equazione è indeterminata.";
inline constexpr std::string_view noSolutionMessage = "L'equazione non ha soluzioni.";

// For coefficients whose products or quotients leave the range of a double:
// printing the infinities or undefined values that come out would look like
// solutions.
inline constexpr std::string_view outOfRangeMessage =
    "Errore: numeri troppo grandi o troppo piccoli per calcolare le soluzioni.";

// -0 is printed with its sign; a solution reads better as 0.
template <typename Number>
Number withoutNegativeZero(Number value) {
  return value == 0 ? Number{0} : value;
}
