// The body composition command (key w): fat and lean figures estimated from
// sex, age, weight and height through the body-mass index.
#pragma once

#include <cstdint>

#include "console/console.h"

inline constexpr double indexCoefficient = 1.2;
inline constexpr double ageCoefficient = 0.23;
inline constexpr double maleConstant = 16.2;
inline constexpr double otherConstant = 5.4;
inline constexpr double centimetresPerMetre = 100.0;
inline constexpr double heightExponent = 2.0;

struct BodyComposition {
  double fat;   // Kilograms.
  double lean;  // Kilograms: the weight less the fat figure.
};

// Only "M" and "m" count as male. Nothing is checked: a height of 0 gives
// infinite figures, as the division gives them.
BodyComposition computeBodyComposition(char sex, std::int32_t age, double weightKilograms,
                                       double heightCentimetres);

// The w command.
void runBodyComposition(Console& console);
