#include "calc/expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "dialogue.h"

namespace {

const std::string question = "Voi fare una espressione semplice(a+b)(1) o complessa(2)?\nPath: ";
const std::string complexPrompt = question + "Inserisci l'espressione: ";
const std::string simplePrompt = question + "Inserisci l'espressione': ";
const std::string invalid = "Errore: espressione non valida.\n";

using Cases = std::pair<std::string, std::string>[];

}  // namespace

TEST(EvaluateExpression, GoesLeftToRightSkipsOtherBytesAndKeepsUnjoinedNumbers) {
  std::pair<std::string_view, double> cases[] = {
      {"2+3*4", 20},   {"2*3+4", 10}, {"10-4-3", 3},    {"100/(2+3)*2", 40},
      {"2*(3+4)", 14}, {"7/2", 3.5},  {"10-(2-3)", 11}, {"(2+3)*(4+1)", 25},
      {"((7))", 7},    {"a1b+c2", 3}, {"1 + 2", 3},     {"2^%\xE8=4", 4},
      {"3.5", 5},      {"1.5+2", 7},  {"2(3)", 3},      {"12345678", 12345678},
      {"1+(2.3)", 5},  // The number left over in the group is the one "+" takes.
      {"2 3++4", 9},   // A number left below another is still reached.
      {"274435162566466288-274435162566466285", 32},
  };
  for (auto [text, value] : cases) {
    ExpressionResult result = evaluateExpression(text);
    EXPECT_TRUE(result.ok() && result.value == value) << text << " " << result.value;
  }
}

TEST(EvaluateExpression, NamesEachErrorInsteadOfAValue) {
  std::pair<std::string_view, std::string_view> cases[] = {
      {"-3+5", invalidExpressionMessage}, {"2+", invalidExpressionMessage},
      {"2*-3", invalidExpressionMessage}, {"2)", invalidExpressionMessage},
      {"(2+3", invalidExpressionMessage}, {"", invalidExpressionMessage},
      {"2+()", invalidExpressionMessage}, {"8/0", divisionByZeroMessage},
      {"0/0", divisionByZeroMessage},     {"1/(2-2)+3", divisionByZeroMessage},
      {"1/0+", invalidExpressionMessage},
  };
  std::string huge = "1" + std::string(400, '0');
  EXPECT_EQ(evaluateExpression(huge).error, tooLargeMessage);
  EXPECT_EQ(evaluateExpression(huge + "-" + huge).error, tooLargeMessage);
  for (auto [text, error] : cases)
    EXPECT_EQ(evaluateExpression(text).error, error) << text;
}

TEST(ComputeSimpleExpression, IsExactWithinSixtyFourBits) {
  constexpr std::int64_t highest = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(computeSimpleExpression(2147483647, '+', 1).value, 2147483648);
  EXPECT_EQ(computeSimpleExpression(highest, '+', 1).error, tooLargeMessage);
  EXPECT_EQ(computeSimpleExpression(lowest, '-', 1).error, tooLargeMessage);
  EXPECT_EQ(computeSimpleExpression(4294967296, '*', 4294967296).error, tooLargeMessage);
  EXPECT_EQ(computeSimpleExpression(lowest, '/', -1).error, tooLargeMessage);
  EXPECT_EQ(computeSimpleExpression(0, '/', 0).error, divisionByZeroMessage);
}

TEST(RunExpression, ComplexModePrintsSixSignificantDigitsOrRefusesTheText) {
  // The calc_expression transcripts hold the worked examples.
  Cases cases = {{"99\n1/3\n", "Risultato: 0.333333\n"}, {"2\n(2+3\n", invalid}, {"2\n", invalid},
                 {"2\n5/(1-1)\n", "Errore: divisione per zero.\n"}};
  for (auto& [typed, printed] : cases)
    EXPECT_EQ(runDialogue(runExpression, typed), complexPrompt + printed) << typed;
}

TEST(RunExpression, SimpleModeComputesOneIntegerOperationAndCountsUnreadValuesAsZero) {
  Cases cases = {{"-4\n12 *3\n", "36"}, {"1\n-7/2\n", "-3"}, {"1\n5-9\n", "-4"},
                 {"x\n", "0"},          {"1\nx*3\n", "0"}, {"1\n4+\n", "4"}};
  for (auto& [typed, result] : cases)
    EXPECT_EQ(runDialogue(runExpression, typed), simplePrompt + "Risultato: " + result + "\n")
        << typed;
}

TEST(RunExpression, LeavesWhatFollowsTheLastReadPending) {
  for (auto& [typed, rest] : Cases{{"2\n (1+1)*3\n", "\n"}, {"1\n5/0\n", "\n"}}) {
    Dialogue dialogue(typed);
    runExpression(dialogue.console);
    EXPECT_EQ(dialogue.pending(), rest) << typed;
  }
}
