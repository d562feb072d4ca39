// The program's command line.
#include "shell/arguments.h"

#include <string>

namespace {

void printUsage(std::ostream& stream) {
  stream << "Uso: " KALVEX_PROGRAM_NAME " [--help | --version]" << std::endl
         << std::endl
         << "Kalvex Terminal: calcolatrici, equazioni, chimica, codice fiscale, cifratura di file"
         << std::endl
         << "e generatori di password, in italiano, per la console. Senza argomenti il programma"
         << std::endl
         << "si avvia e legge i comandi al prompt \"Path: \" ('#' per la lista dei comandi,"
         << std::endl
         << "'x' per uscire)." << std::endl
         << std::endl
         << "  --help     mostra questo aiuto ed esce" << std::endl
         << "  --version  mostra la versione ed esce" << std::endl
         << std::endl
         << "Manuale completo: " KALVEX_MANUAL << std::endl;
}

int refuse(std::ostream& err, const std::string& problem) {
  err << "Errore: " << problem << std::endl << std::endl;
  printUsage(err);
  return badArgumentsStatus;
}

}  // namespace

std::vector<std::string_view> commandLineArguments(int argc, char** argv) {
  std::vector<std::string_view> arguments;
  for (int index = 1; index < argc; ++index)
    arguments.emplace_back(argv[index]);
  return arguments;
}

std::optional<int> answerArguments(const std::vector<std::string_view>& arguments,
                                   std::ostream& out, std::ostream& err) {
  if (arguments.empty())
    return std::nullopt;
  if (arguments.size() > 1)
    return refuse(err, "troppi argomenti.");
  std::string_view argument = arguments.front();
  if (argument == "--help") {
    printUsage(out);
    return 0;
  }
  if (argument == "--version") {
    out << "Kalvex Terminal, versione " KALVEX_VERSION << std::endl;
    return 0;
  }
  return refuse(err, "argomento non riconosciuto: '" + std::string(argument) + "'.");
}
