#include "calc/base_conversion.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "dialogue.h"

// The calc_base_conversion transcripts show the dialogue's worked examples.

namespace {

const std::string menu =
    "Scegli un'opzione:\n1. Converti da base 10 a un'altra base\n"
    "2. Converti da un'altra base a base 10\n0. Esci\n\n\nPath: ";
const std::string toDecimal = "Inserisci il numero da convertire: Inserisci la base di partenza: ";
const std::string invalidChoice = "Scelta non valida\n";

}  // namespace

TEST(ConvertFromDecimal, WritesASignedMagnitudeForBasesTwoToThirtySixOnly) {
  EXPECT_EQ(convertFromDecimal(2147483647, 36), "ZIK0ZJ");
  EXPECT_EQ(convertFromDecimal(0, 2), "0");
  EXPECT_EQ(convertFromDecimal(-10, 2), "-1010");
  EXPECT_EQ(convertFromDecimal(std::numeric_limits<std::int64_t>::min(), 16),
            "-8000000000000000");
  for (std::int64_t base : {1, 0, -2, 37})
    EXPECT_EQ(convertFromDecimal(10, base), std::nullopt) << base;
}

TEST(ConvertToDecimal, ReadsOnlyDigitsOfTheBaseWithAnOptionalMinus) {
  struct Case {
    std::string_view digits;
    std::int64_t base;
    std::int64_t value;
  };
  Case cases[] = {{"FF", 16, 255},
                  {"-ff", 16, -255},
                  {"zZ", 36, 1295},
                  {"1010", 2, 10},
                  {"9223372036854775807", 10, std::numeric_limits<std::int64_t>::max()},
                  {"-9223372036854775808", 10, std::numeric_limits<std::int64_t>::min()}};
  for (auto [digits, base, value] : cases) {
    CheckedInteger result = convertToDecimal(digits, base);
    EXPECT_TRUE(result.ok() && result.value == value) << digits;
  }
  std::pair<std::string_view, std::int64_t> invalid[] = {
      {"19", 2}, {":", 10}, {"1/", 10}, {"", 10}, {"-", 10}, {"1-1", 10},
      {"+5", 10}, {"z", 35}, {"10", 1}, {"10", 37}, {"7", 0}};
  for (auto [digits, base] : invalid)
    EXPECT_EQ(convertToDecimal(digits, base).error, invalidForBaseMessage) << digits << base;
  for (std::string digits : {std::string("9223372036854775808"), "1" + std::string(400, '0')})
    EXPECT_EQ(convertToDecimal(digits, 10).error, tooLargeMessage) << digits;
  EXPECT_EQ(convertToDecimal(std::string(400, '0') + "7", 10).value, 7);
}

TEST(RunBaseConversion, RefusesNegativeChoicesAndAsksAgain) {
  Dialogue dialogue("-1\n-2\n-2147483648\n0\n");
  runBaseConversion(dialogue.console);
  EXPECT_EQ(dialogue.out.str(),
            menu + invalidChoice + menu + invalidChoice + menu + invalidChoice + menu);
}

TEST(RunBaseConversion, LeavesOnceTheInputStreamHasFailed) {
  EXPECT_EQ(runDialogue(runBaseConversion, "abc\n"), menu);
  EXPECT_EQ(runDialogue(runBaseConversion, "99999999999\n"), menu + invalidChoice + menu);
  EXPECT_EQ(runDialogue(runBaseConversion, "2\n1010\n"),
            menu + toDecimal + "Errore: numero non valido per la base scelta.\n\n" + menu);
}
