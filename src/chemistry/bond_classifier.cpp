// The bond classifier command: the classification and the dialogue around it.
#include "chemistry/bond_classifier.h"

#include <cmath>
#include <optional>
#include <string>

#include "chemistry/element_tables.h"
#include "console/input.h"

namespace {

constexpr double polarFrom = 0.4;
constexpr double polarUpTo = 1.9;

// Prints the prompt and reads a whole line, blanks included; false at the end
// of input.
bool readSymbol(Console& console, std::string& symbol) {
  console.out << std::endl << inputPrompt;
  return static_cast<bool>(readLine(console.in, symbol));
}

}  // namespace

std::string_view classifyBond(std::string_view first, std::string_view second) {
  const ElectronegativityTable& table = electronegativityTable();
  std::optional<double> firstValue = table.find(first);
  if (!firstValue)
    return firstElementMissing;
  std::optional<double> secondValue = table.find(second);
  if (!secondValue)
    return secondElementMissing;
  double difference = std::fabs(*firstValue - *secondValue);
  if (difference < polarFrom)
    return "Puro";
  if (difference <= polarUpTo)
    return "Polarizzato";
  return "Ionico";
}

void runBondClassifier(Console& console) {
  console.out << "Inserisci l'elemento chimico (la sigla che trovi sulla tavola periodica): "
              << std::endl;
  std::string first;
  std::string second;
  // Nothing is classified for lines that were never typed.
  if (!readSymbol(console, first) || !readSymbol(console, second))
    return;
  std::string_view bond = classifyBond(first, second);
  console.out << std::endl;
  if (bond == secondElementMissing)
    console.out << "Errore: uno o piu' elementi non trovati ";
  else if (bond == firstElementMissing)
    console.out << "Elemento non trovato";
  else
    console.out << "Il covalente: " << bond;
  console.out << std::endl;
}
