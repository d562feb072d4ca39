#include "calc/base_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogue.h"

// The calc_base_conversion transcripts show the dialogue's worked examples.

namespace {

const std::string menu =
    "Scegli un'opzione:\n1. Converti da base 10 a un'altra base\n"
    "2. Converti da un'altra base a base 10\n0. Esci\n\n\nPath: ";
const std::string toDecimal = "Inserisci il numero da convertire: Inserisci la base di partenza: ";
const std::string invalidChoice = "Scelta non valida\n";

}  // namespace

TEST(ConvertFromDecimal, WritesDigitsThenCapitalsForBasesTwoToThirtySixOnly) {
  EXPECT_EQ(convertFromDecimal(2147483647, 36), "ZIK0ZJ");
  EXPECT_EQ(convertFromDecimal(0, 2), "");
  for (std::int32_t base : {1, 0, -2, 37})
    EXPECT_EQ(convertFromDecimal(10, base), std::nullopt) << base;
}

TEST(ConvertToDecimal, LeavesDigitsUncheckedReadsLettersAndRefusesOverflow) {
  struct Case {
    std::string_view digits;
    std::int32_t base;
    std::int32_t value;
  };
  Case cases[] = {{"FF", 16, 255},
                  {"ff", 16, 255},
                  {"zZ", 36, 1295},
                  {":", 10, 10},
                  {"1/", 10, 9},
                  {"", 10, 0},
                  {"2147483647", 10, 2147483647}};
  for (auto [digits, base, value] : cases)
    EXPECT_EQ(convertToDecimal(digits, base), value) << digits;
  for (std::string digits :
       {std::string("2147483648"), std::string("///////////"), "1" + std::string(400, '0')})
    EXPECT_EQ(convertToDecimal(digits, 10), std::nullopt) << digits;
  EXPECT_EQ(convertToDecimal(std::string(400, '0') + "7", 10), 7);
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
            menu + toDecimal + "Il risultato: 0\n\n" + menu);
}
