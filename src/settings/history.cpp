// The function history and its @ command.
#include "settings/history.h"

#include <fstream>

#include "console/input.h"

void appendHistory(std::string_view commandLine) {
  std::ofstream file(historyFileName, std::ios::app);
  file << commandLine << '\n';
}

HistoryList loadHistory() {
  HistoryList entries;
  std::ifstream file(historyFileName);
  for (std::string line; std::getline(file, line);)
    entries.push_back(line);
  return entries;
}

void clearHistory() { std::ofstream file(historyFileName, std::ios::trunc); }

void runHistoryCommand(Console& console) {
  std::ostream& out = console.out;
  out << "Vuoi vedere(v) o cancellare(c) la cronologia?" << std::endl << inputPrompt;
  std::string answer;
  std::getline(console.in, answer);
  if (!isOneCharAnswer(answer)) {
    out << std::endl << std::endl << invalidFunctionMessage << std::endl << std::endl;
    return;
  }
  if (answer == "v") {
    out << std::endl << "Cronologia delle funzioni: " << std::endl << std::endl;
    for (const std::string& entry : loadHistory())
      out << entry << std::endl;
    return;
  }
  clearHistory();
  console.platform.forgetCommandLines();
  out << std::endl << "Fatto!" << std::endl;
}
