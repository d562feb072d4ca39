#include "equations/equation_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct Expected {
  double a;
  char op;
  double b;
  double c;
  int fieldsRead;
};

template <typename Number>
void expectScan(std::string_view text, Expected expected) {
  ScannedEquation<Number> scanned = scanEquation<Number>(text);
  EXPECT_EQ(scanned.a, static_cast<Number>(expected.a)) << text;
  EXPECT_EQ(scanned.op, expected.op) << text;
  EXPECT_EQ(scanned.b, static_cast<Number>(expected.b)) << text;
  EXPECT_EQ(scanned.c, static_cast<Number>(expected.c)) << text;
  EXPECT_EQ(scanned.fieldsRead, expected.fieldsRead) << text;
}

}  // namespace

TEST(ScanEquation, BlanksMatchAnyWhiteSpaceIncludingNone) {
  for (std::string_view text : {"2x+3y=12", "2x + 3y = 12", " \t2x\t+\n3y\r\n=  12 and more"})
    expectScan<std::int32_t>(text, {2, '+', 3, 12, 4});
  expectScan<std::int32_t>("2x + -3y = 6", {2, '+', -3, 6, 4});
  expectScan<std::int32_t>("-2x-+4y=-6", {-2, '-', 4, -6, 4});
  expectScan<std::int32_t>("2x*3y=5", {2, '*', 3, 5, 4});
  // Whatever byte follows x and the blanks is the operator, even a digit.
  expectScan<std::int32_t>("2x 3y=5", {2, '3', 0, 0, 2});
}

TEST(ScanEquation, StopsAtTheFirstMismatchKeepingWhatWasRead) {
  expectScan<std::int32_t>("x+y=2", {0, '\0', 0, 0, 0});
  expectScan<std::int32_t>("", {0, '\0', 0, 0, 0});
  expectScan<std::int32_t>("3x", {3, '\0', 0, 0, 1});
  expectScan<std::int32_t>("3 x+1y=2", {3, '\0', 0, 0, 1});
  expectScan<std::int32_t>("1.5x+1y=2", {1, '\0', 0, 0, 1});
  expectScan<std::int32_t>("2x++y=1", {2, '+', 0, 0, 2});
  expectScan<std::int32_t>("2x+3 y=12", {2, '+', 3, 0, 3});
  expectScan<std::int32_t>("2x+3y 12", {2, '+', 3, 0, 3});
  expectScan<std::int32_t>("2x+3y=", {2, '+', 3, 0, 3});
}

TEST(ScanEquation, TakesIntegersOfThirtyTwoBitsAndRejectsLongerOnes) {
  expectScan<std::int32_t>("2147483647x+-2147483648y=0", {2147483647, '+', -2147483648.0, 0, 4});
  expectScan<std::int32_t>("2147483647x-2147483648y=0", {2147483647, '-', 0, 0, 2});
  expectScan<std::int32_t>("2147483648x+1y=1", {0, '\0', 0, 0, 0});
  expectScan<std::int32_t>("1x+1y=-99999999999", {1, '+', 1, 0, 3});
}

TEST(ScanEquation, ReadsDecimalsWithFractionsAndExponentsButNoInfinities) {
  expectScan<double>("1.5x-2.5e1y=-.5", {1.5, '-', 25, -0.5, 4});
  expectScan<double>("5.x+1E-2y=+1e+1", {5, '+', 0.01, 10, 4});
  // An "e" without digits is not part of the number.
  expectScan<double>("2ex+1y=1", {2, '\0', 0, 0, 1});
  expectScan<double>("1x+1y=2e", {1, '+', 1, 2, 4});
  for (std::string_view text : {"infx+1y=1", "nanx+1y=1", "1e400x+1y=1", "1e-400x+1y=1", ".x"})
    expectScan<double>(text, {0, '\0', 0, 0, 0});
  // Decimal only: 0x is zero times x, not the start of a hexadecimal number.
  expectScan<double>("0x-1y=-3", {0, '-', 1, -3, 4});
  expectScan<double>("0x1p3y=1", {0, '1', 0, 0, 2});
}
