#include "chemistry/bond_classifier.h"

#include <gtest/gtest.h>

#include <string>

#include "chemistry/element_tables.h"
#include "dialogue.h"

namespace {

const std::string prompts =
    "Inserisci l'elemento chimico (la sigla che trovi sulla tavola periodica): \n\nPath: \nPath: ";

}  // namespace

TEST(RunBondClassifier, NamesTheBondOrTheMissingElementAndConsumesBothLines) {
  struct Case {
    std::string typed;
    std::string printed;
  };
  const Case cases[] = {
      {"H\nCl\n", "Il covalente: Polarizzato"},
      {"Na\nCl\n", "Il covalente: Ionico"},
      {"C\nH\n", "Il covalente: Puro"},
      {"H\nH\n", "Il covalente: Puro"},
      {"Li\nI\n", "Il covalente: Polarizzato"},
      {"Mg\nO\n", "Il covalente: Ionico"},
      {"N\nO\n", "Il covalente: Puro"},
      {"O\nN\n", "Il covalente: Puro"},
      // Differences that are 0.4 or 1.9 in decimals fall where the doubles put them.
      {"Al\nGe\n", "Il covalente: Puro"},
      {"H\nXe\n", "Il covalente: Puro"},
      {"H\nIn\n", "Il covalente: Polarizzato"},
      {"H\nSn\n", "Il covalente: Polarizzato"},
      {"Fr\nXe\n", "Il covalente: Ionico"},
      {"Fr\nF\n", "Il covalente: Ionico"},
      {"Fe\nO\n", "Elemento non trovato"},
      {"Fe\nXx\n", "Elemento non trovato"},
      {"h\nCl\n", "Elemento non trovato"},
      {"\nCl\n", "Elemento non trovato"},
      {"Na \nCl\n", "Elemento non trovato"},
      {"O\nFe\n", "Errore: uno o piu' elementi non trovati "},
      {"Cl\ncl\n", "Errore: uno o piu' elementi non trovati "},
      {"Cl\n\n", "Errore: uno o piu' elementi non trovati "},
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
  EXPECT_EQ(runDialogue(runBondClassifier, "H\n"), prompts);
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
