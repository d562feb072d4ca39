// The expression command: the two calculators and their dialogue.
#include "calc/expression.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <limits>
#include <string>
#include <vector>

#include "console/ascii.h"
#include "console/input.h"

namespace {

bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

// A division by zero gives nan, which the evaluation reports as such.
double applyOperator(char op, double left, double right, bool& dividedByZero) {
  switch (op) {
    case '+':
      return left + right;
    case '-':
      return left - right;
    case '*':
      return left * right;
    default:
      if (right == 0) {
        dividedByZero = true;
        return 0;
      }
      return left / right;
  }
}

// The digits from `pos` on, as the nearest double (inf beyond the largest);
// leaves `pos` past them.
double readNumber(std::string_view text, std::size_t& pos) {
  std::size_t start = pos;
  while (pos < text.size() && isAsciiDigit(text[pos]))
    ++pos;
  double value = 0;
  auto [end, error] = std::from_chars(text.data() + start, text.data() + pos, value);
  (void)end;
  if (error == std::errc::result_out_of_range)
    return std::numeric_limits<double>::infinity();
  return value;
}

std::size_t countOperators(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), isOperator));
}

// The two stacks of one evaluation. They hold only what is still pending, so
// for a text whose numbers are all joined by operators they grow with its
// nesting, not its length. Each step answers false where the text leaves it
// without operands.
class Evaluation {
 public:
  explicit Evaluation(std::size_t operatorsAhead) : operatorsAhead_(operatorsAhead) {}
  void pushNumber(double value);
  bool take(char symbol);
  bool finish();
  double result() const { return valueStack.back(); }
  bool dividedByZero() const { return dividedByZero_; }

 private:
  bool reduceTop();
  bool reducePending();
  bool closeGroup();

  // Numbers typed side by side without an operator pile up; each operator
  // applied reaches one value deeper, so a value below as many as the
  // operators still to come can never be reached again and is only counted.
  // That keeps "1a1a1a..." from holding a double for every byte pair.
  std::deque<double> valueStack;
  std::size_t unreachable_ = 0;
  std::vector<char> operatorStack;  // "(" and the four operators.
  std::size_t operatorsAhead_;      // In the text not read yet.
  bool dividedByZero_ = false;
};

void Evaluation::pushNumber(double value) {
  valueStack.push_back(value);
  std::size_t pending = operatorsAhead_ + operatorStack.size();
  while (valueStack.size() > pending + 1) {
    valueStack.pop_front();
    ++unreachable_;
  }
}

bool Evaluation::take(char symbol) {
  if (symbol == '(') {
    operatorStack.push_back(symbol);
    return true;
  }
  if (symbol == ')')
    return closeGroup();
  if (!isOperator(symbol))
    return true;
  --operatorsAhead_;
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
  valueStack.back() =
      applyOperator(operatorStack.back(), valueStack.back(), right, dividedByZero_);
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
  ExpressionResult result = evaluateExpression(word);
  // The text may be huge; only its value is needed from here on.
  std::string().swap(word);
  if (!result.ok()) {
    console.out << result.error << std::endl;
    return;
  }
  console.out << "Risultato: " << result.value << std::endl;
}

void runSimpleCalculator(Console& console) {
  console.out << "Inserisci l'espressione': ";
  std::int64_t left = 0;
  char op = 0;
  std::int64_t right = 0;
  console.in >> left >> op >> right;
  CheckedInteger result = computeSimpleExpression(left, op, right);
  if (!result.ok()) {
    console.out << result.error << std::endl;
    return;
  }
  console.out << "Risultato: " << result.value << std::endl;
}

}  // namespace

ExpressionResult evaluateExpression(std::string_view text) {
  Evaluation evaluation(countOperators(text));
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (isAsciiDigit(text[pos])) {
      evaluation.pushNumber(readNumber(text, pos));
      continue;
    }
    if (!evaluation.take(text[pos++]))
      return {0, invalidExpressionMessage};
  }
  if (!evaluation.finish())
    return {0, invalidExpressionMessage};
  if (evaluation.dividedByZero())
    return {0, divisionByZeroMessage};
  if (!std::isfinite(evaluation.result()))
    return {0, tooLargeMessage};
  return {evaluation.result(), {}};
}

CheckedInteger computeSimpleExpression(std::int64_t left, char op, std::int64_t right) {
  switch (op) {
    case '+':
      return checkedAdd(left, right);
    case '-':
      return checkedSubtract(left, right);
    case '*':
      return checkedMultiply(left, right);
    case '/':
      return checkedDivide(left, right);
    default:
      return {0, {}};
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
