#include "calc/arithmetic.h"

#include <gtest/gtest.h>

#include <limits>

#include "dialogue.h"

namespace {

const std::string count = "Inserisci quanti valori vuoi utilizzare: ";

// What `command` printed after its last prompt, `lastPrompt`.
std::string resultOf(void (*command)(Console&), std::string typed, std::string lastPrompt) {
  std::string printed = runDialogue(command, typed);
  return printed.substr(printed.rfind(lastPrompt) + lastPrompt.size());
}

}  // namespace

TEST(CountedLists, SumAndSubtractWrappingAroundAndLeaveTheLineEnd) {
  Dialogue dialogue("3\n4 5\n6\n");
  runAddition(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), count + "Valore: Valore: Valore: Risultato: 15");
  EXPECT_EQ(dialogue.pending(), "\n");
  EXPECT_EQ(runDialogue(runAddition, "-2\n"), count + "Risultato: 0");
  EXPECT_EQ(runDialogue(runSubtraction, "0 7\n"), count + "Valore: Risultato: 7");
  EXPECT_EQ(resultOf(runAddition, "2 2147483647 1\n", "Valore: "), "Risultato: -2147483648");
  EXPECT_EQ(resultOf(runSubtraction, "2 -2147483648 1\n", "Valore: "), "Risultato: 2147483647");
}

TEST(CountedLists, StopAskingOnceTheInputHasFailed) {
  EXPECT_EQ(runDialogue(runAddition, "2000000000\n"), count + "Valore: Risultato: 0");
  EXPECT_EQ(runDialogue(runAddition, "3 4 abc 5\n"), count + "Valore: Valore: Risultato: 4");
  EXPECT_EQ(runDialogue(runSubtraction, "2000000000 5"), count + "Valore: Valore: Risultato: 5");
  EXPECT_EQ(runDialogue(runAverage, "1e300\n"), count + "Valore: Risultato: 0");
}

TEST(Division, GivesQuotientAndRemainderFromModeTwoAndADoubleBelow) {
  EXPECT_EQ(
      runDialogue(runDivision, "-7 2 2\n"),
      "Inserisci i due valori per eseguire la divisone (NO valori decimali):\nValore: Valore: "
      "IL risultato lo vuoi normale(1) o con il resto(2)?\nPath: Risultato: -3\nResto: -1\n");
  EXPECT_EQ(resultOf(runDivision, "-2147483648 -1 3\n", "Path: "),
            "Risultato: -2147483648\nResto: 0\n");
  EXPECT_EQ(resultOf(runDivision, "7 0 2\n", "Path: "), "Errore: divisione per zero.\n");
  EXPECT_EQ(resultOf(runDivision, "7 2 -4\n", "Path: "), "Risultato: 3.5");
  EXPECT_EQ(resultOf(runDivision, "7 0 1\n", "Path: "), "Risultato: inf");
  EXPECT_NE(resultOf(runDivision, "0 0 1\n", "Path: ").find("nan"), std::string::npos);
}

TEST(Power, KeepsTheBaseBelowExponentTwoAndWrapsAround) {
  EXPECT_EQ(runDialogue(runPower, "2 10\n"),
            "Inserisci il numero: Inserisci l'esponente: Risultato: 1024");
  EXPECT_EQ(runDialogue(runPower, "7 2\n"),
            "Inserisci il numero: Inserisci l'esponente: Risultato: 49");
  EXPECT_EQ(computePower(-3, 2), 9);
  EXPECT_EQ(computePower(-3, 3), -27);
  EXPECT_EQ(computePower(5, 1), 5);
  EXPECT_EQ(computePower(5, 0), 5);
  EXPECT_EQ(computePower(5, -3), 5);
  EXPECT_EQ(computePower(2, 31), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(computePower(3, 20), -808182895);
  EXPECT_EQ(computePower(3, 2147483647), -1431655765);
}

TEST(FloatingCommands, PrintWithTheStreamsDefaultFormatting) {
  EXPECT_EQ(runDialogue(runMultiplication, "1000\n1000\n"),
            "Inserisci i due valori per eseguire la moltiplicazione:\nValore: Valore: "
            "Risultato: 1e+06");
  EXPECT_EQ(resultOf(runAverage, "2.5 5 5\n", "Valore: "), "Risultato: 4");
  EXPECT_EQ(runDialogue(runSine, "30\n"), "Inserisci valore:Risultato: 0.502351");
  EXPECT_EQ(runDialogue(runCosine, "abc\n"), "Inserisci valore:Risultato: 1");
  EXPECT_EQ(runDialogue(runTangent, "90\n"), "Inserisci valore:Risultato: -122.68");
  EXPECT_EQ(runDialogue(runRoot, "2 2\n"),
            "Inserisci il numero: Inserisci l'esponente per la radice: "
            "La radice 2-esima di 2 e': 1.41421\n");
  Dialogue dialogue("30 6\n");
  runSine(dialogue.console);
  EXPECT_EQ(dialogue.pending(), " 6\n");
}
