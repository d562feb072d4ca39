// The settings command.
#include "settings/settings_menu.h"

#include <string>

#include "console/input.h"
#include "settings/info_pages.h"
#include "settings/theme.h"

void runSettings(Console& console) {
  std::ostream& out = console.out;
  out << "Impostazioni" << std::endl
      << std::endl
      << std::endl
      << "Comandi:" << std::endl
      << std::endl
      << "Tema=1" << std::endl
      << std::endl
      << "Info=2" << std::endl
      << std::endl
      << std::endl
      << inputPrompt;
  std::string answer;
  readLine(console.in, answer);
  if (!isOneCharAnswer(answer)) {
    out << std::endl << invalidFunctionMessage << std::endl << std::endl;
    return;
  }
  if (answer == "1") {
    runThemeDialogue(console);
    return;
  }
  if (answer == "2") {
    runInfoPages(console);
    return;
  }
  out << std::endl << "Funzione errata" << std::endl;
}
