#include <gtest/gtest.h>

#include "calc/arithmetic.h"
#include "calc/base_conversion.h"
#include "calc/expression.h"
#include "dialogue.h"

namespace {
const std::string tooLarge = "Errore: numero troppo grande.";
const std::string byZero = "Errore: divisione per zero.";
const std::string noValue = "utilizzare: Errore: inserisci almeno un valore.";
const std::string baseMenu =
    "Scegli un'opzione:\n1. Converti da base 10 a un'altra base\n"
    "2. Converti da un'altra base a base 10\n0. Esci\n\n\nPath: ";
const std::string refused = "Scelta non valida\n" + baseMenu;
}  // namespace

TEST(ArithmeticCommands, AreExactAndPrintAnErrorInsteadOfAnOverflowInfOrNan) {
  expectEndings(runPower, {
      {"5 0", ": 1"}, {"0 0", ": 1"}, {"2 31", ": 2147483648"}, {"2 62", ": 4611686018427387904"},
      {"-2 63", ": -9223372036854775808"}, {"-3 3", ": -27"}, {"1 9223372036854775807", ": 1"},
      {"2 63", tooLarge}, {"3 2147483647", tooLarge}, {"2 -1", "non puo' essere negativo."},
      {"3 x", ": 1"}});
  // A value that cannot be read counts as 0 and ends the questions. A huge count read at the end of the input asks once, not two billion times.
  expectEndings(runAddition, {{"2 4000000000 4000000000", ": 8000000000"}, {"0", ": 0"},
                              {"2000000000", "utilizzare: Valore: Risultato: 0"},
                              {"3 4 abc", "Valore: Valore: Risultato: 4"},
                              {"3 9223372036854775807 1 -5", tooLarge}});
  // Subtraction asks for its first value whatever the count.
  expectEndings(runSubtraction, {{"2 -9223372036854775807 2", tooLarge}, {"0 7", ": 7"},
                                 {"2 7 xyz", "Valore: Valore: Risultato: 7"}});
  expectEndings(runDivision, {
      {"7 0 1", byZero}, {"0 0 1", byZero}, {"7 abc", byZero}, {"7 2 1", ": 3.5"}, {"7 2 0", ": 3.5"},
      {"7 2 -1", ": 3.5"}, {"-7 2 2", ": -3\nResto: -1\n"}, {"7 0 2", byZero + "\n"},
      {"-2147483648 -1 2", ": 2147483648\nResto: 0\n"},
      {"-9223372036854775808 -1 2", tooLarge + "\n"}});
  expectEndings(runSine, {{"abc", ": 0"}, {"180", ": 0"}, {"10", ": 0.173648"}, {"90", ": 1"}, {"270", ": -1"},
                          {"-540", ": 0"}});
  expectEndings(runCosine, {{"60", ": 0.5"}, {"90", ": 0"}, {"-90", ": 0"}, {"180", ": -1"}});
  expectEndings(runTangent, {{"45", ": 1"}, {"180", ": 0"}, {"-45", ": -1"},
                             {"-270", std::string(undefinedTangentMessage)}});
  expectEndings(runMultiplication, {{"1e300 1e300", tooLarge}, {"2 ?", "Valore: Risultato: 0"}});
  expectEndings(runAverage, {
      {"2.5 5 5", "Valore: Valore: Risultato: 5"}, {"0", noValue}, {"-3", noValue},
      {"2 1e308 1e308", "Valore: Valore: " + tooLarge}, {"2 1 zz", "Valore: Risultato: 0.5"},
      // A count that cannot be read stops the questions.
      {"1e300", "utilizzare: Valore: Risultato: 0"}});
  expectEndings(runRoot, {{"-8 3", "La radice 3-esima di -8 e': -2\n"}, {"0 -2", tooLarge + "\n"},
                          {"-16 2", "radice di indice pari di un numero negativo.\n"}});
}

TEST(BaseConversion, WritesAndReadsSignedDigitsOfBasesTwoToThirtySixOnly) {
  std::tuple<std::int64_t, std::int64_t, std::optional<std::string>> written[] = {
      {2147483647, 36, "ZIK0ZJ"}, {0, 2, "0"}, {-10, 2, "-1010"}, {10, 1, std::nullopt},
      {INT64_MIN, 16, "-8000000000000000"}, {10, -2, std::nullopt}, {10, 37, std::nullopt}};
  for (const auto& [number, base, digits] : written)
    EXPECT_EQ(convertFromDecimal(number, base), digits) << number << " " << base;
  const std::string_view invalid = invalidForBaseMessage;
  const std::string zeros(400, '0');
  std::tuple<std::string, std::int64_t, std::int64_t, std::string_view> cases[] = {
      {"FF", 16, 255, ""}, {"-ff", 16, -255, ""}, {"zZ", 36, 1295, ""}, {zeros + "7", 10, 7, ""},
      {"9223372036854775807", 10, 9223372036854775807, ""}, {"1" + zeros, 10, 0, tooLarge},
      {"-9223372036854775808", 10, INT64_MIN, ""}, {"9223372036854775808", 10, 0, tooLarge},
      {"19", 2, 0, invalid}, {":", 10, 0, invalid}, {"1/", 10, 0, invalid}, {"", 10, 0, invalid},
      {"-", 10, 0, invalid}, {"1-1", 10, 0, invalid}, {"+5", 10, 0, invalid},
      {"z", 35, 0, invalid}, {"10", 1, 0, invalid}, {"10", 37, 0, invalid}};
  for (const auto& [digits, base, value, error] : cases) {
    CheckedInteger result = convertToDecimal(digits, base);
    EXPECT_TRUE(result.value == value && result.error == error) << digits << " " << base;
  }
  expectEndings(runBaseConversion, {
      {"-1\n-2\n-2147483648\n0\n", baseMenu + refused + refused + refused},
      {"99999999999\n", baseMenu + refused},
      {"2\n1010\n", "per la base scelta.\n\n" + baseMenu}});
}

TEST(EvaluateExpression, GoesLeftToRightSkipsOtherBytesOrNamesTheError) {
  const std::string huge = "1" + std::string(400, '0');
  const std::string_view invalid = invalidExpressionMessage;
  std::tuple<std::string, double, std::string_view> cases[] = {
      {"2*3+4", 10, ""}, {"10-4-3", 3, ""}, {"100/(2+3)*2", 40, ""}, {"2*(3+4)", 14, ""},
      {"7/2", 3.5, ""}, {"10-(2-3)", 11, ""}, {"(2+3)*(4+1)", 25, ""}, {"((7))", 7, ""},
      {"a1b+c2", 3, ""}, {"2^%\xE8=4", 4, ""}, {"3.5", 5, ""}, {"1.5+2", 7, ""}, {"2(3)", 3, ""},
      {"12345678", 12345678, ""}, {"274435162566466288-274435162566466285", 32, ""},
      // The number left over in a group is the one "+" takes; one left below
      // another is still reached.
      {"1+(2.3)", 5, ""}, {"2 3++4", 9, ""},
      {"-3+5", 0, invalid}, {"2+", 0, invalid}, {"2*-3", 0, invalid}, {"2)", 0, invalid},
      {"(2+3", 0, invalid}, {"", 0, invalid}, {"2+()", 0, invalid}, {"1/0+", 0, invalid},
      {"8/0", 0, byZero}, {"0/0", 0, byZero}, {"1/(2-2)+3", 0, byZero}, {huge, 0, tooLarge},
      {huge + "-" + huge, 0, tooLarge}};
  for (const auto& [text, value, error] : cases) {
    ExpressionResult result = evaluateExpression(text);
    EXPECT_TRUE(result.value == value && result.error == error) << text << " " << result.value;
  }
}

TEST(RunExpression, PrintsSixDigitsOrOneExactIntegerOperationCountingUnreadValuesAsZero) {
  expectEndings(runExpression, {
      {"99\n1/3\n", "Risultato: 0.333333\n"}, {"3\n12345678\n", ": 1.23457e+07\n"},
      {"1\n5%2\n", ": 0\n"}, {"2\n", "l'espressione: Errore: espressione non valida.\n"},
      {"2\n5/(1-1)\n", byZero + "\n"},
      {"-4\n12 *3\n", "': Risultato: 36\n"}, {"1\n-7/2\n", ": -3\n"}, {"1\n5-9\n", ": -4\n"},
      {"x\n", "': Risultato: 0\n"}, {"1\nx*3\n", ": 0\n"}, {"1\n4+\n", ": 4\n"},
      {"1\n2147483647+1\n", ": 2147483648\n"}, {"1\n9223372036854775807+1", tooLarge + "\n"},
      {"1\n-9223372036854775808-1", tooLarge + "\n"}, {"1\n0/0", byZero + "\n"},
      {"1\n-9223372036854775808/-1", tooLarge + "\n"},
      {"1\n4294967296*4294967296", tooLarge + "\n"}});
  for (auto [typed, rest] : DialogueRows{{"2\n (1+1)*3\n", "\n"}, {"1\n5/0\n", "\n"}}) {
    Dialogue dialogue(typed);
    runExpression(dialogue.console);
    EXPECT_EQ(dialogue.pending(), rest) << typed;
  }
}
