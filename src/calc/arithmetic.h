// The arithmetic commands: sums, differences, products, division, powers,
// averages, sine, cosine, tangent and roots of numbers typed at the console.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/checked.h"
#include "console/console.h"

inline constexpr std::string_view negativeExponentMessage =
    "Errore: l'esponente non puo' essere negativo.";
inline constexpr std::string_view undefinedTangentMessage =
    "Errore: la tangente non e' definita per questo angolo.";

// `base` to the `exponent`, exactly; a negative exponent is refused.
CheckedInteger computePower(std::int64_t base, std::int64_t exponent);

// Sine, cosine and tangent of an angle in degrees. Multiples of 90 give
// exact values (sine of 180 is 0, never a rounding residue or -0); the
// tangent has none at odd multiples of 90.
double sineOfDegrees(double degrees);
double cosineOfDegrees(double degrees);
std::optional<double> tangentOfDegrees(double degrees);

// The real `index`-th root of `number`, or the error text in its place:
// index 0, an even root of a negative number, or a result that does not fit.
struct RootResult {
  double value = 0;
  std::string_view error;
};
RootResult computeRoot(std::int64_t number, std::int64_t index);

void runAddition(Console& console);
void runSubtraction(Console& console);
void runMultiplication(Console& console);
void runDivision(Console& console);
void runPower(Console& console);
void runAverage(Console& console);
void runSine(Console& console);
void runCosine(Console& console);
void runTangent(Console& console);
void runRoot(Console& console);
