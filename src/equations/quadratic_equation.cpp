// The quadratic equation command: three coefficients read as numbers.
#include "equations/quadratic_equation.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "console/input.h"
#include "equations/equation_messages.h"
#include "equations/exact_decimal.h"

namespace {

using Kind = QuadraticAnswer::Kind;

QuadraticAnswer solveLinear(double b, double c) {
  if (b == 0)
    return {c == 0 ? Kind::indeterminate : Kind::noSolution};
  double x = -c / b;
  if (!std::isfinite(x))
    return {Kind::outOfRange};
  return {Kind::oneRoot, withoutNegativeZero(x)};
}

}  // namespace

QuadraticAnswer solveQuadraticEquation(double a, double b, double c) {
  if (a == 0)
    return solveLinear(b, c);
  double discriminant = b * b - (a * 4.0) * c;
  // The sign decides how many roots there are, so it is taken from the
  // decimals as typed where they allow it.
  std::optional<int> sign = signOfProductDifference(b, b, a, c, 4);
  if (sign && *sign == 0)
    discriminant = 0;
  // -inf comes from a 4ac that overflowed while b^2 did not: truly negative.
  if (sign ? *sign < 0 : discriminant < 0)
    return {Kind::noRealRoots};
  if (!std::isfinite(discriminant))
    return {Kind::outOfRange};
  double root = std::sqrt(std::max(discriminant, 0.0));
  // -b +- root loses every digit when b^2 dwarfs 4ac; the root of larger
  // size comes from adding like signs, the other from the product of the
  // roots, c/a.
  double x1 = 0;
  double x2 = 0;
  if (root == 0) {
    x1 = x2 = -b / (a + a);
  } else {
    double q = -0.5 * (b + std::copysign(root, b));
    if (b >= 0) {
      x2 = q / a;
      x1 = c / q;
    } else {
      x1 = q / a;
      x2 = c / q;
    }
  }
  if (!std::isfinite(x1) || !std::isfinite(x2))
    return {Kind::outOfRange};
  return {Kind::twoRoots, withoutNegativeZero(x1), withoutNegativeZero(x2)};
}

void runQuadraticEquation(Console& console) {
  std::ostream& out = console.out;
  out << "Inserisci i coefficienti dell'equazione di secondo grado (ax^2 + bx + c = 0): "
      << std::endl;
  auto a = readValue<double>(console, inputPrompt);
  auto b = readValue<double>(console, inputPrompt);
  auto c = readValue<double>(console, inputPrompt);
  QuadraticAnswer answer = solveQuadraticEquation(a, b, c);
  switch (answer.kind) {
    case Kind::twoRoots:
      out << "Le soluzioni dell'equazione sono x1 = " << answer.x1 << " e x2 = " << answer.x2;
      break;
    case Kind::noRealRoots:
      out << "L'equazione non ammette soluzioni reali.";
      break;
    case Kind::oneRoot:
      out << "L'equazione è di primo grado, la soluzione è x = " << answer.x1;
      break;
    case Kind::indeterminate:
      out << indeterminateMessage;
      break;
    case Kind::noSolution:
      out << noSolutionMessage;
      break;
    case Kind::outOfRange:
      out << outOfRangeMessage;
      break;
  }
  out << std::endl;
}
