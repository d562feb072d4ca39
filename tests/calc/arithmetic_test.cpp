#include "calc/arithmetic.h"

#include <gtest/gtest.h>

#include <limits>

#include "dialogue.h"

// The calc transcripts check the dialogues and their failed reads byte for
// byte; these are the cases they do not reach.

namespace {

// What `command` printed after its last prompt, `lastPrompt`.
std::string resultOf(void (*command)(Console&), std::string typed, std::string lastPrompt) {
  std::string printed = runDialogue(command, typed);
  return printed.substr(printed.rfind(lastPrompt) + lastPrompt.size());
}

}  // namespace

TEST(Division, PrintsNotANumberForZeroOverZero) {
  EXPECT_NE(resultOf(runDivision, "0 0 1\n", "Path: ").find("nan"), std::string::npos);
}

TEST(Power, KeepsTheSignAndWrapsAroundForAnyExponent) {
  EXPECT_EQ(computePower(-3, 2), 9);
  EXPECT_EQ(computePower(-3, 3), -27);
  EXPECT_EQ(computePower(3, 20), -808182895);
  EXPECT_EQ(computePower(3, 2147483647), -1431655765);
}

TEST(CountedLists, StopAskingWhenTheCountCannotBeRead) {
  EXPECT_EQ(runDialogue(runAverage, "1e300\n"),
            "Inserisci quanti valori vuoi utilizzare: Valore: Risultato: 0");
}
