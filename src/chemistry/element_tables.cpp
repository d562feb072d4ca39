// The element data of the chemistry commands, as compile-time constants.
#include "chemistry/element_tables.h"

namespace {

// Cobalt, argon and a few heavy elements are missing on purpose: the molar
// mass command refuses them. Some values are shared (Cm and Bk) and O is
// 15.99; they are kept exactly as listed.
constexpr MolarMassTable molarMasses{std::array<ElementEntry<float>, 95>{{
    {"H", 1.0079f},  {"He", 4.0026f}, {"Li", 6.941f},  {"Be", 9.01f},   {"B", 10.81f},
    {"C", 12.01f},   {"N", 14.01f},   {"O", 15.99f},   {"F", 18.99f},   {"Ne", 20.18f},
    {"Na", 22.99f},  {"Mg", 24.31f},  {"Al", 26.98f},  {"Si", 28.09f},  {"P", 30.97f},
    {"S", 32.07f},   {"Cl", 35.45f},  {"K", 39.1f},    {"Ca", 40.08f},  {"Sc", 44.96f},
    {"Ti", 47.87f},  {"V", 50.94f},   {"Cr", 52.0f},   {"Mn", 54.98f},  {"Fe", 55.85f},
    {"Ni", 58.69f},  {"Cu", 63.55f},  {"Zn", 65.39f},  {"Ga", 69.72f},  {"Ge", 72.63f},
    {"As", 74.92f},  {"Se", 78.96f},  {"Br", 79.904f}, {"Kr", 83.798f}, {"Rb", 85.468f},
    {"Sr", 87.62f},  {"Y", 88.906f},  {"Zr", 91.224f}, {"Nb", 92.906f}, {"Mo", 95.94f},
    {"Tc", 98.0f},   {"Ru", 101.07f}, {"Rh", 102.91f}, {"Pd", 106.42f}, {"Ag", 107.87f},
    {"Cd", 112.41f}, {"In", 114.82f}, {"Sn", 118.71f}, {"Sb", 121.76f}, {"Te", 127.6f},
    {"I", 126.9f},   {"Xe", 131.29f}, {"Cs", 132.91f}, {"Ba", 137.33f}, {"La", 138.91f},
    {"Ce", 140.12f}, {"Pr", 140.91f}, {"Nd", 144.24f}, {"Pm", 145.0f},  {"Sm", 150.36f},
    {"Eu", 151.96f}, {"Gd", 157.25f}, {"Tb", 158.93f}, {"Dy", 162.5f},  {"Ho", 164.93f},
    {"Er", 167.26f}, {"Tm", 168.93f}, {"Yb", 173.05f}, {"Lu", 174.97f}, {"Hf", 178.49f},
    {"Ta", 180.95f}, {"W", 183.84f},  {"Re", 186.21f}, {"Os", 190.23f}, {"Ir", 192.22f},
    {"Pt", 195.08f}, {"Au", 196.97f}, {"Hg", 200.59f}, {"Tl", 204.38f}, {"Pb", 207.2f},
    {"Bi", 208.98f}, {"Th", 232.04f}, {"Pa", 231.04f}, {"U", 238.03f},  {"Np", 237.05f},
    {"Pu", 244.06f}, {"Am", 243.06f}, {"Cm", 247.07f}, {"Bk", 247.07f}, {"Cf", 251.08f},
    {"Es", 252.08f}, {"Fm", 257.1f},  {"Md", 258.1f},  {"No", 259.1f},  {"Lr", 262.11f},
}}};

// Main-group elements only: Fr and Ra are here although they have no molar
// mass above.
constexpr ElectronegativityTable electronegativities{std::array<ElementEntry<double>, 35>{{
    {"H", 2.2},   {"Li", 0.98}, {"Be", 1.57}, {"Na", 0.93}, {"Mg", 1.31}, {"K", 0.82},
    {"Ca", 1.0},  {"Rb", 0.82}, {"Sr", 0.95}, {"Cs", 0.79}, {"Ba", 0.89}, {"Fr", 0.7},
    {"Ra", 0.9},  {"B", 2.04},  {"C", 2.55},  {"N", 3.04},  {"O", 3.44},  {"F", 3.98},
    {"Al", 1.61}, {"Si", 1.9},  {"P", 2.19},  {"S", 2.58},  {"Cl", 3.16}, {"Ga", 1.81},
    {"Ge", 2.01}, {"As", 2.18}, {"Se", 2.55}, {"Br", 2.96}, {"Kr", 3.0},  {"In", 1.8},
    {"Sn", 1.8},  {"Sb", 2.05}, {"Te", 2.1},  {"I", 2.66},  {"Xe", 2.6},
}}};

}  // namespace

const MolarMassTable& molarMassTable() { return molarMasses; }

const ElectronegativityTable& electronegativityTable() { return electronegativities; }
