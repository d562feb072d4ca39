// The body composition command.
#include "tools/body_composition.h"

#include <cmath>

#include "console/input.h"

BodyComposition computeBodyComposition(char sex, std::int32_t age, double weightKilograms,
                                       double heightCentimetres) {
  double heightMetres = heightCentimetres / centimetresPerMetre;
  double massIndex = weightKilograms / std::pow(heightMetres, heightExponent);
  double constant = (sex == 'M' || sex == 'm') ? maleConstant : otherConstant;
  double fat = massIndex * indexCoefficient + static_cast<double>(age) * ageCoefficient - constant;
  return {fat, weightKilograms - fat};
}

void runBodyComposition(Console& console) {
  auto sex = readValue<char>(console, "Inserire il sesso (M/F): ");
  auto age = readValue<std::int32_t>(console, "Inserire l'eta': ");
  auto weight = readValue<double>(console, "Inserire il peso (Kg): ");
  auto height = readValue<double>(console, "Inserire l'altezza (cm): ");
  BodyComposition result = computeBodyComposition(sex, age, weight, height);
  console.out << "Massa grassa: " << result.fat << " Kg" << std::endl;
  console.out << "Massa magra: " << result.lean << " Kg" << std::endl;
}
