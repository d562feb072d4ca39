#include "chemistry/bond_classifier.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "chemistry/element_tables.h"
#include "dialogue.h"

namespace {

const std::string prompts =
    "Inserisci l'elemento chimico (la sigla che trovi sulla tavola periodica): \n\nPath: \nPath: ";

}  // namespace

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
  EXPECT_EQ(runDialogue(runBondClassifier, "H\n"), prompts);
}

TEST(ClassifyBond, IsPureBelowFourTenthsAndIonicAboveOneNineTenthsInEitherOrder) {
  // The differences as the doubles give them: H-Xe is 0.39999..., H-In
  // 0.40000...1 and Fr-Xe 1.90000...1.
  std::pair<std::string_view, std::string_view> cases[] = {
      {"H H", "Puro"},          {"C H", "Puro"},          {"H Xe", "Puro"},
      {"Al Ge", "Puro"},        {"H In", "Polarizzato"},  {"H Cl", "Polarizzato"},
      {"Li I", "Polarizzato"},  {"Mg Cl", "Polarizzato"}, {"Cs I", "Polarizzato"},
      {"Fr S", "Polarizzato"},  {"Fr Xe", "Ionico"},      {"Mg O", "Ionico"},
      {"Ra F", "Ionico"},       {"Xx Yy", firstElementMissing},
      {"Ra Fe", secondElementMissing}, {"Cl cl", secondElementMissing}};
  for (auto [pair, bond] : cases) {
    std::string_view first = pair.substr(0, pair.find(' ')), second = pair.substr(pair.find(' ') + 1);
    EXPECT_EQ(classifyBond(first, second), bond) << pair;
  }
  for (const auto& first : electronegativityTable().entries()) {
    for (const auto& second : electronegativityTable().entries())
      EXPECT_EQ(classifyBond(first.symbol, second.symbol),
                classifyBond(second.symbol, first.symbol))
          << first.symbol << second.symbol;
  }
}
