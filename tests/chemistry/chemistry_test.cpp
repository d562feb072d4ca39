#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "chemistry/bond_classifier.h"
#include "chemistry/element_tables.h"
#include "chemistry/molar_mass.h"
#include "dialogue.h"

// The chemistry transcript checks the dialogues and their messages.

namespace {

// Elements 1 to 103 by atomic number.
const std::string periodicTable =
    "H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As Se "
    "Br Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm Eu Gd Tb "
    "Dy Ho Er Tm Yb Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U Np Pu Am Cm "
    "Bk Cf Es Fm Md No Lr";
const std::string withoutMolarMass = " Ar Co Po At Rn Fr Ra Ac ";

// Each value weighted by its position and summed in double precision, worked out
// from the data sheet: a mistyped, misplaced or wrongly rounded value changes it.
template <typename Table>
double weightedSum(const Table& table) {
  double sum = 0.0;
  double position = 1.0;
  for (const auto& entry : table.entries())
    sum += position++ * static_cast<double>(entry.value);
  return sum;
}

}  // namespace

TEST(ElementTables, HoldEveryValueAsListedAndFindOnlyTextsEqualToASymbol) {
  const MolarMassTable& masses = molarMassTable();
  const ElectronegativityTable& electronegativities = electronegativityTable();
  EXPECT_EQ(masses.entries().size(), 95u);
  EXPECT_EQ(weightedSum(masses), 759055.9679658413);
  EXPECT_EQ(electronegativities.entries().size(), 35u);
  EXPECT_EQ(weightedSum(electronegativities), 1388.79);
  std::istringstream elements(periodicTable);
  for (std::string symbol; elements >> symbol;) {
    bool listed = withoutMolarMass.find(" " + symbol + " ") == std::string::npos;
    EXPECT_EQ(masses.find(symbol).has_value(), listed) << symbol;
  }
  std::set<std::string_view> symbols;
  for (const auto& entry : electronegativities.entries()) {
    symbols.insert(entry.symbol);
    bool hasMolarMass = entry.symbol != "Fr" && entry.symbol != "Ra";
    EXPECT_EQ(masses.find(entry.symbol).has_value(), hasMolarMass) << entry.symbol;
  }
  EXPECT_EQ(symbols.size(), 35u);
  for (std::string_view symbol : {"He", "Ne", "Fe", "Pb"})
    EXPECT_FALSE(electronegativities.find(symbol)) << symbol;
  std::string_view absent[] = {"Ar", "h",   "CL",  "cl",     "H ",   " H",
                               "",   "Hee", "Nax", "H\n",   "\xE8", "H\xE8",
                               std::string_view("H\0", 2)};
  for (std::string_view symbol : absent) {
    EXPECT_FALSE(masses.find(symbol)) << symbol;
    EXPECT_FALSE(electronegativities.find(symbol)) << symbol;
  }
}

TEST(ClassifyBond, IsPureBelowFourTenthsAndIonicAboveOneNineTenthsInEitherOrder) {
  // The differences as the doubles give them: H-Xe is 0.39999..., H-In
  // 0.40000...1 and Fr-Xe 1.90000...1.
  std::pair<std::string, std::string_view> cases[] = {
      {"H H", "Puro"}, {"C H", "Puro"}, {"H Xe", "Puro"}, {"Al Ge", "Puro"},
      {"H In", "Polarizzato"}, {"H Cl", "Polarizzato"}, {"Li I", "Polarizzato"},
      {"Mg Cl", "Polarizzato"}, {"Cs I", "Polarizzato"}, {"Fr S", "Polarizzato"},
      {"Fr Xe", "Ionico"}, {"Mg O", "Ionico"}, {"Ra F", "Ionico"}, {"Xx Yy", firstElementMissing},
      {"Ra Fe", secondElementMissing}, {"Cl cl", secondElementMissing}};
  for (const auto& [pair, bond] : cases) {
    std::size_t blank = pair.find(' ');
    EXPECT_EQ(classifyBond(pair.substr(0, blank), pair.substr(blank + 1)), bond) << pair;
  }
  // Whole lines are looked up as typed; a line after the two answers stays unread.
  expectEndings(runBondClassifier, {
      {"Na \nCl\n", "Path: \nElemento non trovato\n"},
      {"Cl\n Na\n", "Path: \nErrore: uno o piu' elementi non trovati \n"},
      {"Na\nCl", "Path: \nIl covalente: Ionico\n"}, {"H\n", "Path: \nPath: "}});
  Dialogue dialogue("Na \nCl\nx\n");
  runBondClassifier(dialogue.console);
  EXPECT_EQ(dialogue.pending(), "x\n");
}

TEST(ComputeMolarMass, SumsSinglePrecisionTermsOrNamesTheSymbolThatStoppedTheSum) {
  // In double precision the product would keep digits that the float loses;
  // past 2^24 the count itself is rounded to single precision.
  const double h5 = static_cast<double>(5.0f * 1.0079f);
  EXPECT_EQ(computeMolarMass("H5").grams, h5);
  EXPECT_EQ(computeMolarMass("H5O").grams, h5 + static_cast<double>(15.99f));
  EXPECT_EQ(computeMolarMass("H16777217").grams, static_cast<double>(16777216.0f * 1.0079f));
  EXPECT_EQ(computeMolarMass("").grams, 0.0);
  EXPECT_EQ(computeMolarMass("").fault, FormulaFault::none);
  std::pair<std::string, std::string> sameMass[] = {
      {"H007", "H7"}, {"O2H", "OOH"}, {"Na0Cl", "Cl"}, {"H" + std::string(10000, '0') + "2", "H2"}};
  for (const auto& [formula, same] : sameMass)
    EXPECT_EQ(computeMolarMass(formula).grams, computeMolarMass(same).grams) << formula;
  expectEndings(runMolarMass, {
      {"\n\n", "\n\nPath: "}, {"CO", "\nLa massa molare di CO e' 28\n"},
      {"\n\n   C6H12O6\n", "Path: \nLa massa molare di C6H12O6 e' 180.095\n"},
      {"H2O NaCl\n", "Path: \nLa massa molare di H2O e' 18.0058\n"},
      {"Co\n", "Path: \nErrore: l'atomo Co non e' supportato\n"},
      {"NaCl99999999999\n", "Path: \nErrore: il numero di atomi di Cl supera 2147483647\n"}});
  const FormulaFault unsupported = FormulaFault::unsupportedSymbol;
  std::tuple<std::string, FormulaFault, std::string_view> cases[] = {
      {"H2Uuo", unsupported, "Uu"}, {"Fr", unsupported, "Fr"}, {"H\xE8", unsupported, "\xE8"},
      {"22", unsupported, "2"}, {"H O", unsupported, " "}, {"CuuH99999999999", unsupported, "u"},
      // An unknown symbol is reported before its oversized count.
      {"Xx99999999999", unsupported, "Xx"}, {"C2147483648Xx", FormulaFault::countTooLarge, "C"},
      {"Na1" + std::string(30, '0') + "Cl", FormulaFault::countTooLarge, "Na"}};
  for (const auto& [formula, fault, symbol] : cases) {
    MolarMass mass = computeMolarMass(formula);
    EXPECT_TRUE(mass.fault == fault && mass.symbol == symbol) << formula;
  }
}
