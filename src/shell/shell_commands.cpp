// The commands that belong to the shell itself.
#include "shell/shell_commands.h"

#include "shell/banner.h"

void printHelp(Console& console) {
  console.out << "Per eseguire una comando ti basta seguire i seguenti passaggi:" << std::endl
              << "1. srivi solo la lettera oppure numero del comando" << std::endl
              << "2. inserisci i valori rischiesti o segui la procedura." << std::endl
              << std::endl
              << "Se hai problemi visita il nostro sito oppure digita il comando 'helpsite'"
              << std::endl;
}

void clearScreen(Console& console) {
  console.platform.clearScreen();
  console.platform.clearScreen();
  printBanner(console.out);
}

void announceRestart(Console& console) { console.out << "Riavviando..." << std::endl; }

std::optional<int> restartProgram(Console& console) {
  Result<int> status = console.platform.restart();
  if (status.isOk())
    return *status;
  console.platform.reportError(status.status().message());
  return std::nullopt;
}

void exitProgram(Console& console) {
  console.out << "Ok,sto uscendo..." << std::endl << std::endl;
  console.platform.pause();
}
