#include "chemistry/element_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace {

// Elements 1 to 103 by atomic number.
constexpr std::string_view periodicTable[] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
    "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
    "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
    "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr"};

const std::set<std::string_view> withoutMolarMass = {"Ar", "Co", "Po", "At",
                                                     "Rn", "Fr", "Ra", "Ac"};

// Each value weighted by its position in the list and summed in double
// precision, worked out independently from the decimals of the data sheet: a
// mistyped, misplaced or wrongly rounded value changes it.
template <typename Table>
double weightedSum(const Table& table) {
  double sum = 0.0;
  double position = 1.0;
  for (const auto& entry : table.entries())
    sum += position++ * static_cast<double>(entry.value);
  return sum;
}

}  // namespace

TEST(MolarMassTable, HoldsElementsOneTo103ExceptEightAndEveryValueAsListed) {
  const MolarMassTable& table = molarMassTable();
  EXPECT_EQ(table.entries().size(), 95u);
  for (std::string_view symbol : periodicTable)
    EXPECT_EQ(table.find(symbol).has_value(), !withoutMolarMass.contains(symbol)) << symbol;
  EXPECT_EQ(weightedSum(table), 759055.9679658413);
}

TEST(ElectronegativityTable, HoldsMainGroupElementsWithEveryValueAsListed) {
  const ElectronegativityTable& table = electronegativityTable();
  EXPECT_EQ(table.entries().size(), 35u);
  EXPECT_EQ(weightedSum(table), 1388.79);
  std::set<std::string_view> symbols;
  for (const auto& entry : table.entries()) {
    symbols.insert(entry.symbol);
    bool hasMolarMass = entry.symbol != "Fr" && entry.symbol != "Ra";
    EXPECT_EQ(molarMassTable().find(entry.symbol).has_value(), hasMolarMass) << entry.symbol;
  }
  EXPECT_EQ(symbols.size(), 35u);
}

TEST(ElementTables, FindOnlyTextsEqualToASymbolByteForByte) {
  const MolarMassTable& masses = molarMassTable();
  const ElectronegativityTable& electronegativities = electronegativityTable();
  EXPECT_TRUE(masses.find("C"));
  EXPECT_TRUE(masses.find("O"));
  EXPECT_FALSE(masses.find("Co"));
  for (std::string_view symbol : {"He", "Ne", "Fe", "Pb"}) {
    EXPECT_TRUE(masses.find(symbol)) << symbol;
    EXPECT_FALSE(electronegativities.find(symbol)) << symbol;
  }
  for (std::string_view symbol :
       {"Ar", "h", "CL", "cl", "H ", " H", "", "Hee", "Nax", "H\n", "\xE8", "H\xE8"}) {
    EXPECT_FALSE(masses.find(symbol)) << symbol;
    EXPECT_FALSE(electronegativities.find(symbol)) << symbol;
  }
  EXPECT_FALSE(masses.find(std::string_view("H\0", 2)));
}
