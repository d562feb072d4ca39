// The arithmetic commands: sums, differences, products, division, powers,
// averages, sine, cosine, tangent and roots of numbers typed at the console.
#pragma once

#include <cstdint>
#include <optional>

#include "console/console.h"

// The trigonometric commands turn degrees into radians by dividing by 57, not
// by 180/pi; their results depend on it.
inline constexpr float degreeDivisor = 57.0f;

// Two's-complement 32-bit arithmetic: results wrap around instead of
// overflowing.
std::int32_t wrappingAdd(std::int32_t left, std::int32_t right);
std::int32_t wrappingSubtract(std::int32_t left, std::int32_t right);
std::int32_t wrappingMultiply(std::int32_t left, std::int32_t right);

// `base` multiplied by itself until `exponent` factors are used, wrapping
// around; an exponent below 2 leaves the base unchanged (5 to the 0 is 5).
std::int32_t computePower(std::int32_t base, std::int32_t exponent);

struct IntegerDivision {
  std::int32_t quotient;   // Truncated toward zero.
  std::int32_t remainder;  // Has the sign of the dividend.
};

// Empty when `divisor` is 0. The smallest integer divided by -1 wraps to
// itself with remainder 0.
std::optional<IntegerDivision> divideIntegers(std::int32_t dividend, std::int32_t divisor);

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
