#include "tools/body_composition.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogue.h"

namespace {

const std::string prompts =
    "Inserire il sesso (M/F): Inserire l'eta': Inserire il peso (Kg): Inserire l'altezza (cm): ";

std::string figures(const std::string& fat, const std::string& lean) {
  return prompts + "Massa grassa: " + fat + " Kg\nMassa magra: " + lean + " Kg\n";
}

}  // namespace

// The tools_body_composition transcript shows the worked examples.
TEST(RunBodyComposition, GivesTheFatPercentageOfTheWeightInKilograms) {
  EXPECT_EQ(runDialogue(runBodyComposition, "M 30 80 180\n"), figures("16.2637", "63.7363"));
  EXPECT_EQ(runDialogue(runBodyComposition, "f 25 55 160\n"), figures("14.3722", "40.6278"));
  const std::string refused = "Errore: peso e altezza devono essere maggiori di zero.\n";
  for (std::string typed : {"M 30 80 0\n", "F 30 0 170\n", "F 30 -60 170\n"})
    EXPECT_EQ(runDialogue(runBodyComposition, typed), prompts + refused) << typed;
}

TEST(RunBodyComposition, AsksTheSexAgainDroppingTheRestOfARefusedLine) {
  const std::string sexPrompt = "Inserire il sesso (M/F): ";
  EXPECT_EQ(runDialogue(runBodyComposition, "Atlantide\nF 25 55 160\n"),
            sexPrompt + "ERRORE: Inserire solo il carattere 'M' o 'F'.\n" +
                figures("14.3722", "40.6278"));
}

TEST(RunBodyComposition, TakesOneCharacterAsTheSexAndLeavesTheLineEnd) {
  Dialogue dialogue("  m 40 70.0 175\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), figures("14.3", "55.7"));
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunBodyComposition, AsksEveryQuestionOnceAWordHasFailedTheAge) {
  Dialogue dialogue("Maschio\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str().substr(0, prompts.size()), prompts);
  EXPECT_TRUE(dialogue.in.fail());
}
