// The command keys, in the order the command list shows them.
#include "shell/command_table.h"

#include <array>

#include "calc/arithmetic.h"
#include "calc/base_conversion.h"
#include "calc/expression.h"
#include "chemistry/bond_classifier.h"
#include "chemistry/molar_mass.h"
#include "cipher/file_cipher.h"
#include "equations/linear_equation.h"
#include "equations/linear_system.h"
#include "equations/quadratic_equation.h"
#include "settings/history.h"
#include "settings/settings_menu.h"
#include "shell/shell_commands.h"
#include "taxcode/tax_code_command.h"
#include "tools/body_composition.h"
#include "tools/generator_commands.h"

namespace {

// The command list is drawn from the table itself.
void printCommandList(Console& console);

constexpr bool discard = true;
constexpr bool keep = false;
constexpr bool ends = true;
constexpr bool returns = false;

constexpr std::array<CommandEntry, 29> entries = {{
    // A restart that succeeds never returns; one that failed has said so, and
    // this copy goes on.
    {'l', "riavvia = l", restartProgram, keep, returns},
    {'x', "esci = x", exitProgram, keep, ends},
    {'k', "pulisci ui = k", clearScreen, keep, returns},
    {'@', "cronologia = @", runHistoryCommand, keep, returns},
    {'h', "aiuto = h", printHelp, keep, returns},
    {'i', "impostazioni = i", runSettings, keep, returns},
    {'a', "addizione = a", runAddition, discard, returns},
    {'s', "sottrazione = s", runSubtraction, discard, returns},
    {'m', "moltiplicazione = m", runMultiplication, discard, returns},
    {'d', "divisione = d", runDivision, discard, returns},
    {'z', "seno = z", runSine, discard, returns},
    {'u', "coseno = u", runCosine, discard, returns},
    {'p', "potenza = p", runPower, discard, returns},
    {'q', "media = q", runAverage, discard, returns},
    {'e', "espressione = e", runExpression, discard, returns},
    {'t', "tangente = t", runTangent, discard, returns},
    {'r', "radice = r", runRoot, discard, returns},
    {'c', "conversione tra basi = c", runBaseConversion, discard, returns},
    {'g', "generazione di codici = g", runCodeGenerator, discard, returns},
    {'w', "calcolo massa grassa e magra = w", runBodyComposition, discard, returns},
    {'f', "simulazione codice fiscale = f", runTaxCode, keep, returns},
    {'v', "generatore password = v", runPasswordGenerator, discard, returns},
    {'4', "calcolo convalente legami = 4", runBondClassifier, keep, returns},
    {'3', "sistema lineare equazioni = 3", runLinearSystem, discard, returns},
    {'2', "Equazioni 2 grado = 2", runQuadraticEquation, discard, returns},
    {'1', "Equazioni (ax+by=c) = 1", runLinearEquation, keep, returns},
    {'n', "cripta e encripta un file = n", runFileCipher, discard, returns},
    {'o', "calcolo massa molecole = o", runMolarMass, discard, returns},
    {'#', "", printCommandList, keep, returns},
}};

void printCommandList(Console& console) {
  std::ostream& out = console.out;
  out << std::endl << "Comandi:" << std::endl << std::endl;
  for (const CommandEntry& entry : commandTable()) {
    if (!entry.label.empty())
      out << entry.label << std::endl;
  }
  out << std::endl;
}

}  // namespace

std::span<const CommandEntry> commandTable() { return entries; }

const CommandEntry* findCommand(char key) {
  for (const CommandEntry& entry : entries) {
    if (entry.key == key)
      return &entry;
  }
  return nullptr;
}
