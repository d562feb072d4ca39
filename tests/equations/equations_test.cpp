#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <tuple>

#include "dialogue.h"
#include "equations/equation_scan.h"
#include "equations/linear_equation.h"
#include "equations/linear_system.h"
#include "equations/quadratic_equation.h"

namespace {

using ScanRow = std::tuple<std::string_view, double, char, double, double, int>;

const std::string outOfRange = "troppo piccoli per calcolare le soluzioni.\n";
const std::string singular = "il determinante del sistema lineare \xC3\xA8 uguale a zero.\n\n";
const std::string noRealSolution = "L'equazione non ammette soluzioni reali.\n";

}  // namespace

TEST(ScanEquation, MatchesBlanksToAnyWhiteSpaceReadsNumbersOfTheTypeAndStopsAtAMismatch) {
  auto expectScans = [](auto number, std::span<const ScanRow> rows) {
    for (const ScanRow& row : rows) {
      auto got = scanEquation<decltype(number)>(std::get<0>(row));
      EXPECT_EQ(ScanRow(std::get<0>(row), got.a, got.op, got.b, got.c, got.fieldsRead), row);
    }
  };
  const ScanRow rows[] = {
      {" \t2x\t+\n3y\r\n=  12 and more", 2, '+', 3, 12, 4}, {"-2x-+4y=-6", -2, '-', 4, -6, 4},
      {"2x + -3y = 6", 2, '+', -3, 6, 4}, {"", 0, '\0', 0, 0, 0}, {"3x", 3, '\0', 0, 0, 1},
      // Whatever byte follows x and the blanks is the operator, even a digit.
      {"2x 3y=5", 2, '3', 0, 0, 2}, {"3 x+1y=2", 3, '\0', 0, 0, 1}, {"2x++y=1", 2, '+', 0, 0, 2},
      {"1.5x+1y=2", 1, '\0', 0, 0, 1}, {"2x+3 y=12", 2, '+', 3, 0, 3},
      {"2x+3y 12", 2, '+', 3, 0, 3}, {"2x+3y=", 2, '+', 3, 0, 3},
      {"1x+1y=-99999999999", 1, '+', 1, 0, 3}, {"2147483648x+1y=1", 0, '\0', 0, 0, 0},
      {"2147483647x+-2147483648y=0", 2147483647, '+', -2147483648.0, 0, 4}};
  expectScans(std::int32_t{}, rows);
  const ScanRow decimals[] = {
      {"1.5x-2.5e1y=-.5", 1.5, '-', 25, -0.5, 4}, {"5.x+1E-2y=+1e+1", 5, '+', 0.01, 10, 4},
      // An "e" without digits is not part of the number.
      {"2ex+1y=1", 2, '\0', 0, 0, 1}, {"1x+1y=2e", 1, '+', 1, 2, 4}, {".x", 0, '\0', 0, 0, 0},
      {"infx+1y=1", 0, '\0', 0, 0, 0}, {"1e400x+1y=1", 0, '\0', 0, 0, 0},
      {"1e-400x+1y=1", 0, '\0', 0, 0, 0},
      // Decimal only: 0x is zero times x, not the start of a hexadecimal number.
      {"0x-1y=-3", 0, '-', 1, -3, 4}, {"0x1p3y=1", 0, '1', 0, 0, 2}};
  expectScans(double{}, decimals);
}

TEST(Equations, PrintNoNegativeZeroAvoidCancellationAndRefuseWhatOverflows) {
  expectEndings(runLinearEquation, {
      {"-1x+6y=3", ": x = 0 y = 0.5\n"}, {"1x--2147483648y=0", "x = -1.07374e+09 y = 0.5\n"},
      {"0x-2y=3", "x = 0 y = -1.5\n"}, {"4x-0y=-2", "x = -0.5 y = 0.5\n"},
      {"0x/2y=3", "Errore: operatore non valido\n"}, {"0x*0y=5", "non ha soluzioni.\n"},
      {"x+y=2", "L'equazione \xC3\xA8 indeterminata.\n"}});
  expectEndings(runQuadraticEquation, {
      {"1 0 0", "x1 = 0 e x2 = 0\n"}, {"1e200 1 1e200", noRealSolution}, {"1e-310 1 1", outOfRange},
      // Overflow reads the largest double, then fails: max x^2 = 0.
      {"1e400 1 1", "x1 = 0 e x2 = 0\n"}, {"0 0 0", "L'equazione \xC3\xA8 indeterminata.\n"},
      {"0 1e-300 1e300", outOfRange}, {"1 100000000 1", "sono x1 = -1e-08 e x2 = -1e+08\n"},
      {"1 -100000000 1", "x1 = 1e+08 e x2 = 1e-08\n"}, {"0.1 0.6 0.9", "x1 = -3 e x2 = -3\n"},
      {"0.1 0.6 0.90001", noRealSolution}, {"-1 0 4", "x1 = -2 e x2 = 2\n"},
      {"0 2 -4", "L'equazione \xC3\xA8 di primo grado, la soluzione \xC3\xA8 x = 2\n"},
      {"abc", "L'equazione \xC3\xA8 indeterminata.\n"}});
  // Each equation is read as one word; fields a word does not reach are 0.
  expectEndings(runLinearSystem, {
      {"2x+3y=" + std::string(300, '0') + "8 1x-1y=-1", "\nx = 1\ny = 2\n"},
      {"2x*3y=8 1x-1y=-1", "\nx = 1\ny = 2\n"}, {"2x 1x+1y=3", "\nx = 0\ny = 3\n"},
      {"", "invio:\nErrore: " + singular}, {"1e200x+1y=1 1x+1e200y=1", outOfRange + "\n"},
      {"1e200x+1e200y=1 1e200x+1e200y=2", singular}, {"0.1x+0.3y=0.9 0.3x+0.9y=2.7", singular},
      {"0.1x+0.3y=0.9 0.3x+0.8y=2.7", "\nx = 9\ny = 0\n"}});
}
