// The linear equation command: the whole typed line is one equation.
#include "console/input.h"
#include "equations/linear_equation.h"

#include <istream>
#include <string>

#include "equations/equation_messages.h"

namespace {

using Kind = LinearEquationAnswer::Kind;

LinearEquationAnswer solved(float x, float y) {
  return {Kind::solved, withoutNegativeZero(x), withoutNegativeZero(y)};
}

}  // namespace

LinearEquationAnswer solveLinearEquation(const ScannedEquation<std::int32_t>& equation) {
  if (equation.a == 0 && equation.b == 0)
    return {equation.c == 0 ? Kind::indeterminate : Kind::noSolution};
  if (equation.op != '+' && equation.op != '-')
    return {Kind::invalidOperator};
  auto a = static_cast<float>(equation.a);
  auto c = static_cast<float>(equation.c);
  // With "-" the y term is subtracted. Negating after the conversion keeps
  // the smallest integer from overflowing.
  auto b = equation.op == '+' ? static_cast<float>(equation.b) : -static_cast<float>(equation.b);
  if (a == 0)
    return solved(0, c / b);
  if (b == 0)
    return solved(c / a, 0.5f);
  float x = (c - b * 0.5f) / a;
  return solved(x, (c - x * a) / b);
}

void runLinearEquation(Console& console) {
  console.out << "Inserisci l'equazione di primo grado in forma generica (ax+by=c): ";
  std::string line;
  readLine(console.in, line);
  LinearEquationAnswer answer = solveLinearEquation(scanEquation<std::int32_t>(line));
  switch (answer.kind) {
    case Kind::solved:
      console.out << "x = " << answer.x << " y = " << answer.y << std::endl;
      return;
    case Kind::indeterminate:
      console.out << indeterminateMessage << std::endl;
      return;
    case Kind::noSolution:
      console.out << noSolutionMessage << std::endl;
      return;
    case Kind::invalidOperator:
      console.out << "Errore: operatore non valido" << std::endl;
      return;
  }
}
