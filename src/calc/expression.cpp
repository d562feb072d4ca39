// The expression command: the two calculators and their dialogue.
#include "calc/expression.h"

#include <string>
#include <vector>

#include "calc/arithmetic.h"
#include "console/ascii.h"
#include "console/input.h"

namespace {

bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

double applyOperator(char op, double left, double right) {
  switch (op) {
    case '+':
      return left + right;
    case '-':
      return left - right;
    case '*':
      return left * right;
    default:
      return left / right;
  }
}

// The digits from `pos` on, as one number; leaves `pos` past them. Built in
// double so that long runs of digits cannot overflow.
double readNumber(std::string_view text, std::size_t& pos) {
  double value = 0;
  for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos)
    value = value * 10 + (text[pos] - '0');
  return value;
}

// The two stacks of one evaluation. They hold only what is still pending, so
// for a text whose numbers are all joined by operators they grow with its
// nesting, not its length. Each step answers false where the text leaves it
// without operands.
class Evaluation {
 public:
  void pushNumber(double value) { valueStack.push_back(value); }
  bool take(char symbol);
  bool finish();
  double result() const { return valueStack.back(); }

 private:
  bool reduceTop();
  bool reducePending();
  bool closeGroup();

  std::vector<double> valueStack;
  std::vector<char> operatorStack;  // "(" and the four operators.
};

bool Evaluation::take(char symbol) {
  if (symbol == '(') {
    operatorStack.push_back(symbol);
    return true;
  }
  if (symbol == ')')
    return closeGroup();
  if (!isOperator(symbol))
    return true;
  if (!reducePending())
    return false;
  operatorStack.push_back(symbol);
  return true;
}

// An unclosed "(" or a text without any number has no value.
bool Evaluation::finish() {
  return reducePending() && operatorStack.empty() && !valueStack.empty();
}

// Applies the operator on top of the stack to the two values on top.
bool Evaluation::reduceTop() {
  if (valueStack.size() < 2)
    return false;
  double right = valueStack.back();
  valueStack.pop_back();
  valueStack.back() = applyOperator(operatorStack.back(), valueStack.back(), right);
  operatorStack.pop_back();
  return true;
}

// Applies every operator back to the nearest open "(", which stays.
bool Evaluation::reducePending() {
  while (!operatorStack.empty() && operatorStack.back() != '(') {
    if (!reduceTop())
      return false;
  }
  return true;
}

bool Evaluation::closeGroup() {
  if (!reducePending() || operatorStack.empty())
    return false;
  operatorStack.pop_back();
  return true;
}

void runComplexCalculator(Console& console) {
  auto word = readValue<std::string>(console, "Inserisci l'espressione: ");
  std::optional<double> value = evaluateExpression(word);
  if (!value) {
    console.out << "Errore: espressione non valida." << std::endl;
    return;
  }
  console.out << "Risultato: " << *value << std::endl;
}

void runSimpleCalculator(Console& console) {
  console.out << "Inserisci l'espressione': ";
  std::int32_t left = 0;
  char op = 0;
  std::int32_t right = 0;
  console.in >> left >> op >> right;
  std::optional<std::int32_t> result = computeSimpleExpression(left, op, right);
  if (!result) {
    console.out << "Errore: divisione per zero." << std::endl;
    return;
  }
  console.out << "Risultato: " << *result << std::endl;
}

}  // namespace

std::optional<double> evaluateExpression(std::string_view text) {
  Evaluation evaluation;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (isAsciiDigit(text[pos])) {
      evaluation.pushNumber(readNumber(text, pos));
      continue;
    }
    if (!evaluation.take(text[pos++]))
      return std::nullopt;
  }
  if (!evaluation.finish())
    return std::nullopt;
  return evaluation.result();
}

std::optional<std::int32_t> computeSimpleExpression(std::int32_t left, char op,
                                                    std::int32_t right) {
  switch (op) {
    case '+':
      return wrappingAdd(left, right);
    case '-':
      return wrappingSubtract(left, right);
    case '*':
      return wrappingMultiply(left, right);
    case '/': {
      std::optional<IntegerDivision> division = divideIntegers(left, right);
      if (!division)
        return std::nullopt;
      return division->quotient;
    }
    default:
      return 0;
  }
}

void runExpression(Console& console) {
  console.out << "Voi fare una espressione semplice(a+b)(1) o complessa(2)?" << std::endl;
  auto mode = readValue<int>(console, inputPrompt);
  if (mode > 1) {
    runComplexCalculator(console);
    return;
  }
  runSimpleCalculator(console);
}
