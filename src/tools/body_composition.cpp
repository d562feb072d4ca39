// The body composition command.
#include "tools/body_composition.h"

#include <cmath>

#include "console/input.h"

BodyComposition computeBodyComposition(char sex, std::int32_t age, double weightKilograms,
                                       double heightCentimetres) {
  double heightMetres = heightCentimetres / centimetresPerMetre;
  double massIndex = weightKilograms / std::pow(heightMetres, heightExponent);
  double constant = (sex == 'M' || sex == 'm') ? maleConstant : otherConstant;
  // The formula gives the share of fat in percent, not kilograms.
  double fatPercent =
      massIndex * indexCoefficient + static_cast<double>(age) * ageCoefficient - constant;
  double fat = weightKilograms * fatPercent / 100.0;
  return {fat, weightKilograms - fat};
}

void runBodyComposition(Console& console) {
  char sex = 0;
  for (;;) {
    sex = readValue<char>(console, "Inserire il sesso (M/F): ");
    if (isSexLetter(sex) || console.in.fail())
      break;
    dropRestOfAnswer(console.in);
    console.out << sexErrorMessage;
  }
  auto age = readValue<std::int32_t>(console, "Inserire l'eta': ");
  auto weight = readValue<double>(console, "Inserire il peso (Kg): ");
  auto height = readValue<double>(console, "Inserire l'altezza (cm): ");
  if (!(weight > 0 && height > 0)) {
    console.out << "Errore: peso e altezza devono essere maggiori di zero." << std::endl;
    return;
  }
  BodyComposition result = computeBodyComposition(sex, age, weight, height);
  console.out << "Massa grassa: " << result.fat << " Kg" << std::endl;
  console.out << "Massa magra: " << result.lean << " Kg" << std::endl;
}
