// Reading an equation typed as text, such as 2x+3y=12, into its coefficients.
#pragma once

#include <cstdint>
#include <string_view>

// The four fields of "a x op b y = c", in the order they are read. Fields the
// text does not reach keep their starting value: 0, and no operator.
template <typename Number>
struct ScannedEquation {
  Number a{};      // Coefficient of x.
  char op = '\0';  // The byte between the x term and the y term.
  Number b{};      // Coefficient of y.
  Number c{};      // Right-hand side.
  int fieldsRead = 0;
};

// Reads `text` with the pattern "%dx %c %dy = %d" (Number = std::int32_t) or
// "%lfx %c %lfy = %lf" (Number = double), as the C scanf family would:
// - a blank in the pattern matches any run of white space, including none;
// - x, y and "=" must appear literally, with no white space skipped first;
// - a number skips leading white space and takes the longest prefix that is
//   a number: an optional sign and decimal digits, and for doubles a decimal
//   point and an exponent (e, optional sign, digits) too;
// - the operator is exactly one byte, whatever it is;
// - parsing stops at the first mismatch, and text after the last field is
//   ignored.
// Unlike scanf, a number that does not fit its type (an integer beyond 32
// bits, a double that overflows or underflows) is a mismatch instead of
// undefined or clamped, and "inf", "nan" and hexadecimal forms are not
// numbers here: no coefficient can be infinite or undefined, and 0x always
// means zero times x, whatever follows it.
template <typename Number>
ScannedEquation<Number> scanEquation(std::string_view text);

extern template ScannedEquation<std::int32_t> scanEquation(std::string_view text);
extern template ScannedEquation<double> scanEquation(std::string_view text);
