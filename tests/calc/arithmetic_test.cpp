#include "calc/arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "dialogue.h"

// The calc transcripts check the dialogues and their failed reads byte for
// byte; these are the cases they do not reach.

namespace {

using Cases = std::pair<std::string, std::string>[];

// What `command` printed after its last prompt, `lastPrompt`.
std::string resultOf(void (*command)(Console&), std::string typed, std::string lastPrompt) {
  std::string printed = runDialogue(command, typed);
  return printed.substr(printed.rfind(lastPrompt) + lastPrompt.size());
}

}  // namespace

TEST(Trigonometry, WorksInDegreesExactlyAtRightAnglesWithoutNegativeZero) {
  Cases sines = {{"30", "0.5"}, {"180", "0"}, {"-180", "0"}, {"10", "0.173648"},
                 {"90", "1"},   {"270", "-1"}, {"-540", "0"}};
  for (auto& [angle, printed] : sines)
    EXPECT_EQ(resultOf(runSine, angle + "\n", "Risultato: "), printed) << angle;
  Cases cosines = {{"60", "0.5"}, {"90", "0"}, {"-90", "0"}, {"180", "-1"}};
  for (auto& [angle, printed] : cosines)
    EXPECT_EQ(resultOf(runCosine, angle + "\n", "Risultato: "), printed) << angle;
  Cases tangents = {{"45", "Risultato: 1"}, {"180", "Risultato: 0"}, {"-45", "Risultato: -1"},
                    {"90", std::string(undefinedTangentMessage)},
                    {"-270", std::string(undefinedTangentMessage)}};
  for (auto& [angle, printed] : tangents)
    EXPECT_EQ(resultOf(runTangent, angle + "\n", "valore:"), printed) << angle;
}

TEST(Power, IsExactWithinSixtyFourBitsAndRefusesTheRest) {
  Cases cases = {{"5 0", "Risultato: 1"},
                 {"0 0", "Risultato: 1"},
                 {"2 31", "Risultato: 2147483648"},
                 {"2 62", "Risultato: 4611686018427387904"},
                 {"-2 63", "Risultato: -9223372036854775808"},
                 {"-3 3", "Risultato: -27"},
                 {"1 9223372036854775807", "Risultato: 1"},
                 {"2 63", "Errore: numero troppo grande."},
                 {"3 2147483647", "Errore: numero troppo grande."},
                 {"2 -1", "Errore: l'esponente non puo' essere negativo."}};
  for (auto& [typed, printed] : cases)
    EXPECT_EQ(resultOf(runPower, typed + "\n", "esponente: "), printed) << typed;
}

TEST(IntegerCommands, AreExactAndSayWhenTheResultLeavesSixtyFourBits) {
  Cases sums = {{"2 4000000000 4000000000", "Risultato: 8000000000"},
                {"3 9223372036854775807 1 -5", "Errore: numero troppo grande."}};
  for (auto& [typed, printed] : sums)
    EXPECT_EQ(resultOf(runAddition, typed + "\n", "Valore: "), printed) << typed;
  // Subtraction asks for its first value whatever the count.
  Cases differences = {{"2 -9223372036854775807 2", "Errore: numero troppo grande."},
                       {"0 7", "Risultato: 7"}};
  for (auto& [typed, printed] : differences)
    EXPECT_EQ(resultOf(runSubtraction, typed + "\n", "Valore: "), printed) << typed;
  Cases divisions = {{"7 0 1", "Errore: divisione per zero."},
                     {"0 0 1", "Errore: divisione per zero."},
                     {"7 2 1", "Risultato: 3.5"},
                     {"7 2 0", "Risultato: 3.5"},
                     {"7 2 -1", "Risultato: 3.5"},
                     {"-7 2 2", "Risultato: -3\nResto: -1\n"},
                     {"-9223372036854775808 -1 2", "Errore: numero troppo grande.\n"}};
  for (auto& [typed, printed] : divisions)
    EXPECT_EQ(resultOf(runDivision, typed + "\n", "Path: "), printed) << typed;
}

TEST(RealResults, AreNeverInfOrNan) {
  EXPECT_EQ(resultOf(runMultiplication, "1e300 1e300\n", "Valore: "),
            "Errore: numero troppo grande.");
  const std::string count = "Inserisci quanti valori vuoi utilizzare: ";
  Cases averages = {{"2.5 5 5", "Valore: Valore: Risultato: 5"},
                    {"0", "Errore: inserisci almeno un valore."},
                    {"-3", "Errore: inserisci almeno un valore."},
                    {"2 1e308 1e308", "Valore: Valore: Errore: numero troppo grande."},
                    // A count that cannot be read stops the questions.
                    {"1e300", "Valore: Risultato: 0"}};
  for (auto& [typed, printed] : averages)
    EXPECT_EQ(runDialogue(runAverage, typed + "\n"), count + printed) << typed;
  Cases roots = {{"-8 3", "La radice 3-esima di -8 e': -2\n"},
                 {"16 2", "La radice 2-esima di 16 e': 4\n"},
                 {"8 0", "Errore: l'indice della radice non puo' essere zero.\n"},
                 {"-16 2", "Errore: radice di indice pari di un numero negativo.\n"},
                 {"0 -2", "Errore: numero troppo grande.\n"}};
  for (auto& [typed, printed] : roots)
    EXPECT_EQ(resultOf(runRoot, typed + "\n", "radice: "), printed) << typed;
}
