#include "chemistry/bond_classifier.h"

#include <gtest/gtest.h>

#include <string>

#include "chemistry/element_tables.h"
#include "dialogue.h"

namespace {

const std::string prompts =
    "Inserisci l'elemento chimico (la sigla che trovi sulla tavola periodica): \n\nPath: \nPath: ";

}  // namespace

// The chemistry_bond_classifier_table transcript checks the worked examples
// byte for byte.
TEST(RunBondClassifier, LooksUpWholeLinesAsTypedAndConsumesBoth) {
  struct Case {
    std::string typed;
    std::string printed;
  };
  const Case cases[] = {
      {"Na \nCl\n", "Elemento non trovato"},
      {"Cl\n Na\n", "Errore: uno o piu' elementi non trovati "},
      {"Na\nCl", "Il covalente: Ionico"},
  };
  for (const Case& c : cases) {
    // A line after the two answers must stay unread.
    bool endsWithLine = c.typed.ends_with('\n');
    Dialogue dialogue(c.typed + (endsWithLine ? "x\n" : ""));
    runBondClassifier(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), prompts + "\n" + c.printed + "\n") << c.typed;
    EXPECT_EQ(dialogue.pending(), endsWithLine ? "x\n" : "") << c.typed;
  }
}

TEST(RunBondClassifier, AnswersNothingWhenInputEndsBeforeTheSecondLine) {
  const std::string firstPrompt =
      "Inserisci l'elemento chimico (la sigla che trovi sulla tavola periodica): \n\nPath: ";
  EXPECT_EQ(runDialogue(runBondClassifier, ""), firstPrompt);
}

TEST(ClassifyBond, GivesTheSameBondForEitherOrder) {
  for (const auto& first : electronegativityTable().entries()) {
    for (const auto& second : electronegativityTable().entries())
      EXPECT_EQ(classifyBond(first.symbol, second.symbol),
                classifyBond(second.symbol, first.symbol))
          << first.symbol << second.symbol;
  }
  EXPECT_EQ(classifyBond("Ra", "F"), "Ionico");
  EXPECT_EQ(classifyBond("Xx", "Yy"), firstElementMissing);
  EXPECT_EQ(classifyBond("Ra", "Fe"), secondElementMissing);
}
