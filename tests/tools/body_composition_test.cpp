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
TEST(RunBodyComposition, TakesLowerFAsFemale) {
  EXPECT_EQ(runDialogue(runBodyComposition, "f 25 55 160\n"), figures("26.1312", "28.8688"));
}

TEST(RunBodyComposition, TakesOneCharacterAsTheSexAndLeavesTheLineEnd) {
  Dialogue dialogue("  m 40 70.0 175\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), figures("20.4286", "49.5714"));
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunBodyComposition, AsksEveryQuestionOnceAWordHasFailedTheAge) {
  Dialogue dialogue("Maschio\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str().substr(0, prompts.size()), prompts);
  EXPECT_TRUE(dialogue.in.fail());
}
