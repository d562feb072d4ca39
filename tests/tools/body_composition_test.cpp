#include "tools/body_composition.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogue.h"

namespace {

const std::string prompts =
    "Inserire il sesso (M/F): Inserire l'eta': Inserire il peso (Kg): Inserire l'altezza (cm): ";

}  // namespace

// The tools_body_composition transcript shows the worked examples in capitals
// and the sex asked again.
TEST(RunBodyComposition, RefusesNoWeightOrHeightAndReadsOneCharacterAsTheSex) {
  EXPECT_EQ(runDialogue(runBodyComposition, "f 25 55 160\n"),
            prompts + "Massa grassa: 14.3722 Kg\nMassa magra: 40.6278 Kg\n");
  const std::string refused = "Errore: peso e altezza devono essere maggiori di zero.\n";
  for (std::string typed : {"M 30 80 0\n", "F 30 0 170\n", "F 30 -60 170\n"})
    EXPECT_EQ(runDialogue(runBodyComposition, typed), prompts + refused) << typed;
  Dialogue dialogue("  m 40 70.0 175\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), prompts + "Massa grassa: 14.3 Kg\nMassa magra: 55.7 Kg\n");
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunBodyComposition, AsksEveryQuestionOnceAWordHasFailedTheAge) {
  Dialogue dialogue("Maschio\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.out.str().substr(0, prompts.size()), prompts);
  EXPECT_TRUE(dialogue.in.fail());
}
