// The linear system command: two words, one equation each.
#include "equations/linear_system.h"

#include <cmath>
#include <optional>
#include <istream>
#include <string>

#include "equations/equation_messages.h"
#include "equations/equation_scan.h"
#include "equations/exact_decimal.h"

namespace {

using Kind = LinearSystemAnswer::Kind;

// The equation as a x + b y = c, the y term's sign folded into b.
ScannedEquation<double> readEquation(std::string_view text) {
  ScannedEquation<double> equation = scanEquation<double>(text);
  if (equation.op == '-')
    equation.b = -equation.b;
  return equation;
}

}  // namespace

LinearSystemAnswer solveLinearSystem(std::string_view first, std::string_view second) {
  ScannedEquation<double> one = readEquation(first);
  ScannedEquation<double> two = readEquation(second);
  double determinant = one.a * two.b - two.a * one.b;
  // Exact for coefficients typed as decimals, where they allow it:
  // 0.1*0.9 - 0.3*0.3 is 0, not a residue that makes up a solution.
  std::optional<int> sign = signOfProductDifference(one.a, two.b, two.a, one.b);
  if (sign ? *sign == 0 : determinant == 0)
    return {Kind::singular};
  double x = (one.c * two.b - one.b * two.c) / determinant;
  double y = (one.a * two.c - two.a * one.c) / determinant;
  // An overflowing determinant would turn every solution into 0.
  if (!std::isfinite(determinant) || !std::isfinite(x) || !std::isfinite(y))
    return {Kind::outOfRange};
  return {Kind::solved, withoutNegativeZero(x), withoutNegativeZero(y)};
}

void runLinearSystem(Console& console) {
  std::ostream& out = console.out;
  out << "Inserisci le due equazioni separate da un invio:" << std::endl;
  std::string first;
  std::string second;
  console.in >> first >> second;
  LinearSystemAnswer answer = solveLinearSystem(first, second);
  switch (answer.kind) {
    case Kind::solved:
      out << std::endl << "x = " << answer.x << std::endl << "y = " << answer.y << std::endl;
      return;
    case Kind::singular:
      out << "Errore: il determinante del sistema lineare è uguale a zero." << std::endl
          << std::endl;
      return;
    case Kind::outOfRange:
      out << outOfRangeMessage << std::endl << std::endl;
      return;
  }
}
