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

TEST(RunBodyComposition, PrintsFatAndLeanFiguresWithOnlyMAndLowerMAsMale) {
  EXPECT_EQ(runDialogue(runBodyComposition, "M\n30\n80\n180\n"), figures("20.3296", "59.6704"));
  EXPECT_EQ(runDialogue(runBodyComposition, "F\n30\n60\n165\n"), figures("27.9463", "32.0537"));
  EXPECT_EQ(runDialogue(runBodyComposition, "m\n40\n70\n175\n"), figures("20.4286", "49.5714"));
  EXPECT_EQ(runDialogue(runBodyComposition, "x\n25\n55\n160\n"), figures("26.1312", "28.8688"));
  EXPECT_EQ(runDialogue(runBodyComposition, "f 25 55 160\n"), figures("26.1312", "28.8688"));
}

TEST(RunBodyComposition, TakesOneCharacterAsTheSexAndLeavesTheLineEnd) {
  Dialogue dialogue("  m 40 70.0 175\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), figures("20.4286", "49.5714"));
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunBodyComposition, PrintsInfinitiesForAHeightOfZero) {
  EXPECT_EQ(runDialogue(runBodyComposition, "M\n30\n80\n0\n"), figures("inf", "-inf"));
  // A height that cannot be read counts as 0.
  EXPECT_EQ(runDialogue(runBodyComposition, "M\n30\n80\nalto\n"), figures("inf", "-inf"));
}

TEST(RunBodyComposition, AsksEveryQuestionOnceAWordHasFailedTheAge) {
  Dialogue dialogue("Maschio\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str().substr(0, prompts.size()), prompts);
  EXPECT_TRUE(dialogue.in.fail());
}
