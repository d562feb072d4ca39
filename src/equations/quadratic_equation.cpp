// The quadratic equation command: three coefficients read as numbers.
#include "equations/quadratic_equation.h"

#include <cmath>

#include "console/input.h"
#include "equations/equation_messages.h"

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
  // -inf comes from a 4ac that overflowed while b^2 did not: truly negative.
  if (discriminant < 0)
    return {Kind::noRealRoots};
  double root = std::sqrt(discriminant);
  double x1 = (root - b) / (a + a);
  double x2 = (-b - root) / (a + a);
  if (!std::isfinite(discriminant) || !std::isfinite(x1) || !std::isfinite(x2))
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
