// Reading an equation typed as text: a small cursor that matches the scan
// pattern's directives one by one and counts the fields it stored.
#include "equations/equation_scan.h"

#include <charconv>
#include <system_error>

#include "console/ascii.h"

namespace {

class Scanner {
 public:
  explicit Scanner(std::string_view text) : rest_(text) {}

  int fieldsRead() const { return fieldsRead_; }

  // A blank of the pattern: never fails.
  bool blank() {
    while (!rest_.empty() && isAsciiSpace(rest_.front()))
      rest_.remove_prefix(1);
    return true;
  }

  bool literal(char expected) {
    if (rest_.empty() || rest_.front() != expected)
      return false;
    rest_.remove_prefix(1);
    return true;
  }

  bool field(char& into) {
    if (rest_.empty())
      return false;
    into = rest_.front();
    rest_.remove_prefix(1);
    return stored();
  }

  bool field(std::int32_t& into) { return convert(takeNumber(/*decimal=*/false), into); }

  bool field(double& into) { return convert(takeNumber(/*decimal=*/true), into); }

 private:
  bool stored() {
    ++fieldsRead_;
    return true;
  }

  std::size_t countDigits(std::size_t from) const {
    std::size_t end = from;
    while (end < rest_.size() && isAsciiDigit(rest_[end]))
      ++end;
    return end - from;
  }

  // Skips white space and takes the longest prefix that reads as a number;
  // empty when there is none.
  std::string_view takeNumber(bool decimal) {
    blank();
    std::size_t length = 0;
    if (!rest_.empty() && (rest_.front() == '+' || rest_.front() == '-'))
      ++length;
    std::size_t digits = countDigits(length);
    length += digits;
    if (decimal && length < rest_.size() && rest_[length] == '.') {
      std::size_t fraction = countDigits(length + 1);
      digits += fraction;
      length += 1 + fraction;
    }
    if (digits == 0)
      return {};
    if (decimal)
      length += exponentLength(length);
    std::string_view number = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return number;
  }

  // An "e" counts only with digits after it, so 2e alone is the number 2.
  std::size_t exponentLength(std::size_t from) const {
    if (from >= rest_.size() || (rest_[from] != 'e' && rest_[from] != 'E'))
      return 0;
    std::size_t length = 1;
    if (from + length < rest_.size() && (rest_[from + 1] == '+' || rest_[from + 1] == '-'))
      ++length;
    std::size_t digits = countDigits(from + length);
    return digits == 0 ? 0 : length + digits;
  }

  // A number out of the type's range is a mismatch: from_chars reports it
  // and leaves `into` untouched. It takes no "+" sign.
  template <typename Number>
  bool convert(std::string_view number, Number& into) {
    if (number.empty())
      return false;
    if (number.front() == '+')
      number.remove_prefix(1);
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), into);
    if (error != std::errc() || end != number.data() + number.size())
      return false;
    return stored();
  }

  std::string_view rest_;
  int fieldsRead_ = 0;
};

}  // namespace

template <typename Number>
ScannedEquation<Number> scanEquation(std::string_view text) {
  ScannedEquation<Number> equation;
  Scanner scan(text);
  // Each step runs only when the one before it matched.
  scan.field(equation.a) && scan.literal('x') && scan.blank() && scan.field(equation.op) &&
      scan.blank() && scan.field(equation.b) && scan.literal('y') && scan.blank() &&
      scan.literal('=') && scan.blank() && scan.field(equation.c);
  equation.fieldsRead = scan.fieldsRead();
  return equation;
}

template ScannedEquation<std::int32_t> scanEquation(std::string_view text);
template ScannedEquation<double> scanEquation(std::string_view text);
