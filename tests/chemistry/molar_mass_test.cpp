#include "chemistry/molar_mass.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogue.h"

namespace {

const std::string prompt = "Inserisci la formula chimica: \n\nPath: ";

std::string resultLine(const std::string& formula, const std::string& mass) {
  return "\nLa massa molare di " + formula + " e' " + mass + "\n";
}

}  // namespace

// The chemistry_molar_mass_table transcript checks the dialogue and its
// messages byte for byte.

TEST(RunMolarMass, AnswersNothingWhenInputEndsBeforeAFormula) {
  EXPECT_EQ(runDialogue(runMolarMass, "\n\n"), prompt);
  EXPECT_EQ(runDialogue(runMolarMass, "CO"), prompt + resultLine("CO", "28"));
}

TEST(ComputeMolarMass, MultipliesInSinglePrecisionAndSumsInDouble) {
  // In double precision the product would keep digits that the float loses.
  EXPECT_EQ(computeMolarMass("H5").grams, static_cast<double>(5.0f * 1.0079f));
  EXPECT_NE(computeMolarMass("H5").grams, 5.0 * static_cast<double>(1.0079f));
  EXPECT_EQ(computeMolarMass("H5O").grams,
            static_cast<double>(5.0f * 1.0079f) + static_cast<double>(15.99f));
  // Past 2^24 the count itself is rounded to single precision.
  EXPECT_EQ(computeMolarMass("H16777217").grams, static_cast<double>(16777216.0f * 1.0079f));
  EXPECT_EQ(computeMolarMass("").grams, 0.0);
  EXPECT_EQ(computeMolarMass("").fault, FormulaFault::none);
}

TEST(ComputeMolarMass, AppliesCountsOfAnyLengthToTheSymbolJustBefore) {
  EXPECT_EQ(computeMolarMass("H007").grams, computeMolarMass("H7").grams);
  EXPECT_EQ(computeMolarMass("H" + std::string(10000, '0') + "2").grams,
            computeMolarMass("H2").grams);
  EXPECT_EQ(computeMolarMass("O2H").grams, computeMolarMass("OOH").grams);
  EXPECT_EQ(computeMolarMass("Na0Cl").grams, computeMolarMass("Cl").grams);
}

TEST(ComputeMolarMass, NamesTheSymbolThatStoppedTheSum) {
  struct Case {
    std::string formula;
    FormulaFault fault;
    std::string_view symbol;
  };
  const Case cases[] = {
      {"H2Uuo", FormulaFault::unsupportedSymbol, "Uu"},
      {"Fr", FormulaFault::unsupportedSymbol, "Fr"},
      {"H\xE8", FormulaFault::unsupportedSymbol, "\xE8"},
      {"22", FormulaFault::unsupportedSymbol, "2"},
      {"H O", FormulaFault::unsupportedSymbol, " "},
      {"CuuH99999999999", FormulaFault::unsupportedSymbol, "u"},
      // An unknown symbol is reported before its oversized count.
      {"Xx99999999999", FormulaFault::unsupportedSymbol, "Xx"},
      {"C2147483648Xx", FormulaFault::countTooLarge, "C"},
      {"Na1" + std::string(30, '0') + "Cl", FormulaFault::countTooLarge, "Na"},
  };
  for (const Case& c : cases) {
    MolarMass mass = computeMolarMass(c.formula);
    EXPECT_EQ(mass.fault, c.fault) << c.formula;
    EXPECT_EQ(mass.symbol, c.symbol) << c.formula;
  }
}
