// The banner shown at start-up and after a clear, and the prompt block
// before each command line.
#include "shell/banner.h"

#include "console/input.h"

void printBanner(std::ostream& out) {
  out << "Kalvex Terminal" << std::endl
      << std::endl
      << "Premi '#' per la lista di comandi" << std::endl
      << std::endl
      << "Premi 'h' per aiuto" << std::endl
      << std::endl
      << std::endl
      << "Attenzione:1) se inserisci male i comandi il sistema potrebbe non funzionare "
         "correttamente."
      << std::endl
      << "           2) bisogna inserire esclusivamente il dato (numero,lettera ecc..) "
         "richieto dal comando,"
      << std::endl
      << "              altrimenti potrebbero verificarsi errori anomali o l'avvio di "
         "funzioni indesiderate (come il doppio avvio di una funzione)."
      << std::endl
      << "In questi casi sarai costretto a riavviare il programma o chiuderlo e riaprirlo se "
         "non e' possibile riavviarlo."
      << std::endl;
}

void printPromptBlock(std::ostream& out) {
  out << std::endl << std::endl << "Cosa vuoi fare?" << std::endl << std::endl << inputPrompt;
}
