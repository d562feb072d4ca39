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

constexpr AfterCommand ends = AfterCommand::endProgram;
constexpr AfterCommand returns = AfterCommand::goOn;

constexpr std::array<CommandEntry, 29> entries = {{
    // The loop starts the new instance once the restart is announced.
    {'l', "riavvia = l", announceRestart, AfterCommand::restart},
    {'x', "esci = x", exitProgram, ends},
    {'k', "pulisci ui = k", clearScreen, returns},
    {'@', "cronologia = @", runHistoryCommand, returns},
    {'h', "aiuto = h", printHelp, returns},
    {'i', "impostazioni = i", runSettings, returns},
    {'a', "addizione = a", runAddition, returns},
    {'s', "sottrazione = s", runSubtraction, returns},
    {'m', "moltiplicazione = m", runMultiplication, returns},
    {'d', "divisione = d", runDivision, returns},
    {'z', "seno = z", runSine, returns},
    {'u', "coseno = u", runCosine, returns},
    {'p', "potenza = p", runPower, returns},
    {'q', "media = q", runAverage, returns},
    {'e', "espressione = e", runExpression, returns},
    {'t', "tangente = t", runTangent, returns},
    {'r', "radice = r", runRoot, returns},
    {'c', "conversione tra basi = c", runBaseConversion, returns},
    {'g', "generazione di codici = g", runCodeGenerator, returns},
    {'w', "calcolo massa grassa e magra = w", runBodyComposition, returns},
    {'f', "simulazione codice fiscale = f", runTaxCode, returns},
    {'v', "generatore password = v", runPasswordGenerator, returns},
    {'4', "calcolo convalente legami = 4", runBondClassifier, returns},
    {'3', "sistema lineare equazioni = 3", runLinearSystem, returns},
    {'2', "Equazioni 2 grado = 2", runQuadraticEquation, returns},
    {'1', "Equazioni (ax+by=c) = 1", runLinearEquation, returns},
    {'n', "cripta e encripta un file = n", runFileCipher, returns},
    {'o', "calcolo massa molecole = o", runMolarMass, returns},
    {'#', "", printCommandList, returns},
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
