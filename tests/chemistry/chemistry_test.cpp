#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "chemistry/bond_classifier.h"
#include "chemistry/element_tables.h"
#include "chemistry/molar_mass.h"
#include "dialogue.h"

TEST(ElementTables, HoldEveryValueAsListedAndFindOnlyTextsEqualToASymbol) {
  using Listing = std::pair<std::string, double>;
  // The symbols in list order and the values weighted by position, summed in
  // double precision from the data sheet: any mistyped or misplaced entry shows.
  auto listing = [](const auto& table) {
    Listing listed;
    double position = 1.0;
    for (const auto& entry : table.entries()) {
      listed.first += entry.symbol;
      listed.second += position++ * static_cast<double>(entry.value);
      EXPECT_EQ(table.find(entry.symbol), entry.value) << entry.symbol;
    }
    return listed;
  };
  // Ar, Co, Po, At, Rn, Fr, Ra and Ac have no molar mass.
  EXPECT_EQ(listing(molarMassTable()),
            Listing("HHeLiBeBCNOFNeNaMgAlSiPSClKCaScTiVCrMnFeNiCuZnGaGeAsSeBrKrRbSrYZrNbMoTcRu"
                    "RhPdAgCdInSnSbTeIXeCsBaLaCePrNdPmSmEuGdTbDyHoErTmYbLuHfTaWReOsIrPtAuHgTl"
                    "PbBiThPaUNpPuAmCmBkCfEsFmMdNoLr",
                    759055.9679658413));
  EXPECT_EQ(listing(electronegativityTable()),
            Listing("HLiBeNaMgKCaRbSrCsBaFrRaBCNOFAlSiPSClGaGeAsSeBrKrInSnSbTeIXe", 1388.79));
  using namespace std::string_view_literals;
  for (auto symbol : {"Ar"sv, "h"sv, "CL"sv, "H "sv, ""sv, "Hee"sv, "\xE8"sv, "H\xE8"sv, "H\0"sv})
    EXPECT_FALSE(molarMassTable().find(symbol)) << symbol;
}

TEST(ClassifyBond, IsPureBelowFourTenthsAndIonicAboveOneNineTenthsInEitherOrder) {
  // The differences as the doubles give them: H-Xe is 0.39999..., H-In
  // 0.40000...1 and Fr-Xe 1.90000...1. Whole lines are looked up as typed.
  expectEndings(runBondClassifier, {
      {"H\nH", ": Puro\n"}, {"C\nH", ": Puro\n"}, {"H\nXe", ": Puro\n"}, {"Al\nGe", ": Puro\n"},
      {"H\nIn", ": Polarizzato\n"}, {"H\nCl", ": Polarizzato\n"}, {"Fr\nS", ": Polarizzato\n"},
      {"Fr\nXe", ": Ionico\n"}, {"Mg\nO", ": Ionico\n"}, {"Ra\nF", ": Ionico\n"},
      {"Ra\nFe", "Path: \nErrore: uno o piu' elementi non trovati \n"}, {"Cl\ncl", "trovati \n"},
      {"Xx\nYy", "Path: \nElemento non trovato\n"}, {"Na \nCl\n", "Path: \nElemento non trovato\n"},
      {"Cl\n Na\n", "trovati \n"}, {"Na\nCl", "Path: \nIl covalente: Ionico\n"},
      {"H\n", "Path: \nPath: "}});
}

TEST(ComputeMolarMass, SumsSinglePrecisionTermsOrNamesTheSymbolThatStoppedTheSum) {
  // Each term is a float product: in double precision it would keep digits that
  // the float loses, and past 2^24 the count itself is rounded.
  const double h5 = 5.0f * 1.0079f;
  std::pair<std::string, double> grams[] = {
      {"H5", h5}, {"H5O", h5 + 15.99f}, {"H16777217", 16777216.0f * 1.0079f}, {"", 0.0},
      {"H007", 7.0f * 1.0079f}, {"O2H", 2.0f * 15.99f + double{1.0079f}}, {"Na0Cl", 35.45f},
      {"H" + std::string(10000, '0') + "2", 2.0f * 1.0079f}};
  for (const auto& [formula, expected] : grams)
    EXPECT_EQ(computeMolarMass(formula).grams, expected) << formula;
  expectEndings(runMolarMass, {
      {"\n\n", "\n\nPath: "}, {"CO", "\nLa massa molare di CO e' 28\n"},
      {"\n\n   C6H12O6\n", "Path: \nLa massa molare di C6H12O6 e' 180.095\n"},
      {"H2O NaCl\n", "Path: \nLa massa molare di H2O e' 18.0058\n"},
      {"Co\n", "Path: \nErrore: l'atomo Co non e' supportato\n"},
      {"NaCl99999999999\n", "Path: \nErrore: il numero di atomi di Cl supera 2147483647\n"}});
  const FormulaFault unsupported = FormulaFault::unsupportedSymbol;
  std::tuple<std::string, FormulaFault, std::string_view> cases[] = {
      {"", FormulaFault::none, ""}, {"H2Uuo", unsupported, "Uu"}, {"Fr", unsupported, "Fr"},
      {"H\xE8", unsupported, "\xE8"}, {"22", unsupported, "2"}, {"H O", unsupported, " "},
      {"CuuH99999999999", unsupported, "u"},
      // An unknown symbol is reported before its oversized count.
      {"Xx99999999999", unsupported, "Xx"}, {"C2147483648Xx", FormulaFault::countTooLarge, "C"},
      {"Na1" + std::string(30, '0') + "Cl", FormulaFault::countTooLarge, "Na"}};
  for (const auto& [formula, fault, symbol] : cases) {
    MolarMass mass = computeMolarMass(formula);
    EXPECT_TRUE(mass.fault == fault && mass.symbol == symbol) << formula;
  }
}
