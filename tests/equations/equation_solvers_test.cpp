#include <gtest/gtest.h>

#include <string>

#include "dialogue.h"
#include "equations/linear_equation.h"
#include "equations/linear_system.h"
#include "equations/quadratic_equation.h"

namespace {

const std::string linearPrompt =
    "Inserisci l'equazione di primo grado in forma generica (ax+by=c): ";
const std::string quadraticPrompt =
    "Inserisci i coefficienti dell'equazione di secondo grado (ax^2 + bx + c = 0): \n"
    "Path: Path: Path: ";
const std::string systemPrompt = "Inserisci le due equazioni separate da un invio:\n";
const std::string outOfRange =
    "Errore: numeri troppo grandi o troppo piccoli per calcolare le soluzioni.";
const std::string singular = "Errore: il determinante del sistema lineare \xC3\xA8 uguale a zero.";

using Cases = std::pair<std::string, std::string>[];

}  // namespace

// The equations transcripts hold the worked examples and the usual refusals.

TEST(LinearEquation, PrintsNoNegativeZeroAndSolvesTheDegenerateEquations) {
  for (auto& [typed, answer] : Cases{
           {"-1x+6y=3", "x = 0 y = 0.5"},
           {"1x--2147483648y=0", "x = -1.07374e+09 y = 0.5"},
           {"0x-2y=3", "x = 0 y = -1.5"},
           {"4x-0y=-2", "x = -0.5 y = 0.5"},
           {"0x/2y=3", "Errore: operatore non valido"},
       })
    EXPECT_EQ(runDialogue(runLinearEquation, typed), linearPrompt + answer + "\n") << typed;
}

TEST(QuadraticEquation, PrintsNoNegativeZeroAndRefusesWhatOverflows) {
  for (auto& [typed, answer] : Cases{
           {"1 0 0", "Le soluzioni dell'equazione sono x1 = 0 e x2 = 0"},
           {"1e200 1 1e200", "L'equazione non ammette soluzioni reali."},
           {"1e-310 1 1", outOfRange},
           // Overflow reads the largest double, then fails: max x^2 = 0.
           {"1e400 1 1", "Le soluzioni dell'equazione sono x1 = 0 e x2 = 0"},
       })
    EXPECT_EQ(runDialogue(runQuadraticEquation, typed), quadraticPrompt + answer + "\n") << typed;
}

TEST(QuadraticEquation, SolvesAZeroLeadingCoefficientAsALinearEquation) {
  for (auto& [typed, answer] : Cases{
           {"0 0 0", "L'equazione \xC3\xA8 indeterminata."},
           {"0 1e-300 1e300", outOfRange},
       })
    EXPECT_EQ(runDialogue(runQuadraticEquation, typed), quadraticPrompt + answer + "\n") << typed;
}

TEST(LinearSystem, ReadsEachEquationAsOneWordAndRefusesWhatOverflows) {
  // Fields a word does not reach are 0.
  std::string longConstant = "2x+3y=" + std::string(300, '0') + "8";
  for (auto& [typed, answer] : Cases{
           {longConstant + " 1x-1y=-1", "\nx = 1\ny = 2\n"},
           {"2x 1x+1y=3", "\nx = 0\ny = 3\n"},
           {"", singular + "\n\n"},
           {"1e200x+1y=1 1x+1e200y=1", outOfRange + "\n\n"},
           {"1e200x+1e200y=1 1e200x+1e200y=2", singular + "\n\n"},
       })
    EXPECT_EQ(runDialogue(runLinearSystem, typed), systemPrompt + answer) << typed;
}

TEST(Equations, TestZeroExactlyForTypedDecimalsAndAvoidCancellation) {
  for (auto& [typed, answer] : Cases{
           {"1 100000000 1", "Le soluzioni dell'equazione sono x1 = -1e-08 e x2 = -1e+08"},
           {"1 -100000000 1", "Le soluzioni dell'equazione sono x1 = 1e+08 e x2 = 1e-08"},
           {"0.1 0.6 0.9", "Le soluzioni dell'equazione sono x1 = -3 e x2 = -3"},
           {"0.1 0.6 0.90001", "L'equazione non ammette soluzioni reali."},
           {"-1 0 4", "Le soluzioni dell'equazione sono x1 = -2 e x2 = 2"},
       })
    EXPECT_EQ(runDialogue(runQuadraticEquation, typed), quadraticPrompt + answer + "\n") << typed;
  for (auto& [typed, answer] : Cases{
           {"0.1x+0.3y=0.9 0.3x+0.9y=2.7", singular + "\n\n"},
           {"0.1x+0.3y=0.9 0.3x+0.8y=2.7", "\nx = 9\ny = 0\n"},
       })
    EXPECT_EQ(runDialogue(runLinearSystem, typed), systemPrompt + answer) << typed;
}
