// The function history: every command line typed at the main prompt, kept in
// function_history.txt in the working directory, oldest first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"

inline constexpr const char* historyFileName = "function_history.txt";

using HistoryList = std::vector<std::string>;

// Appends `commandLine` and a line end; a file that cannot be written is
// silently skipped.
void appendHistory(std::string_view commandLine);

// Every line of the file, without line ends; empty when it cannot be read.
HistoryList loadHistory();

// Leaves the file empty.
void clearHistory();

// The @ command: shows the history or clears it.
void runHistoryCommand(Console& console);
