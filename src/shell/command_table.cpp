// The command keys, in the order the command list shows them.
#include "shell/command_table.h"

#include <array>

#include "settings/history.h"
#include "shell/shell_commands.h"

namespace {

constexpr bool discard = true;
constexpr bool keep = false;
constexpr bool ends = true;
constexpr bool returns = false;

constexpr std::array<CommandEntry, 29> entries = {{
    {'l', "riavvia = l", restartProgram, keep, ends},
    {'x', "esci = x", exitProgram, keep, ends},
    {'k', "pulisci ui = k", clearScreen, keep, returns},
    {'@', "cronologia = @", runHistoryCommand, keep, returns},
    {'h', "aiuto = h", printHelp, keep, returns},
    {'i', "impostazioni = i", nullptr, keep, returns},
    {'a', "addizione = a", nullptr, discard, returns},
    {'s', "sottrazione = s", nullptr, discard, returns},
    {'m', "moltiplicazione = m", nullptr, discard, returns},
    {'d', "divisione = d", nullptr, discard, returns},
    {'z', "seno = z", nullptr, discard, returns},
    {'u', "coseno = u", nullptr, discard, returns},
    {'p', "potenza = p", nullptr, discard, returns},
    {'q', "media = q", nullptr, discard, returns},
    {'e', "espressione = e", nullptr, discard, returns},
    {'t', "tangente = t", nullptr, discard, returns},
    {'r', "radice = r", nullptr, discard, returns},
    {'c', "conversione tra basi = c", nullptr, discard, returns},
    {'g', "generazione di codici = g", nullptr, discard, returns},
    {'w', "calcolo massa grassa e magra = w", nullptr, discard, returns},
    {'f', "simulazione codice fiscale = f", nullptr, keep, returns},
    {'v', "generatore password = v", nullptr, discard, returns},
    {'4', "calcolo convalente legami = 4", nullptr, keep, returns},
    {'3', "sistema lineare equazioni = 3", nullptr, discard, returns},
    {'2', "Equazioni 2 grado = 2", nullptr, discard, returns},
    {'1', "Equazioni (ax+by=c) = 1", nullptr, keep, returns},
    {'n', "cripta e encripta un file = n", nullptr, discard, returns},
    {'o', "calcolo massa molecole = o", nullptr, discard, returns},
    {'#', "", printCommandList, keep, returns},
}};

}  // namespace

std::span<const CommandEntry> commandTable() { return entries; }

const CommandEntry* findCommand(char key) {
  for (const CommandEntry& entry : entries) {
    if (entry.key == key)
      return &entry;
  }
  return nullptr;
}
