// The function history: every command line typed at the main prompt, kept in
// function_history.txt in the working directory, oldest first.
#pragma once

#include <ostream>
#include <string_view>

#include "console/console.h"
#include "platform/file_system.h"
#include "platform/status.h"

inline constexpr const char* historyFileName = "function_history.txt";

// Appends `commandLine` and a line end. A failure when the file could not be
// written (a directory in its place, a full disk); the caller decides
// whether that is worth a word.
// `ends` false appends part of a long line, to be followed by the rest.
Status appendHistory(FileSystem& files, std::string_view commandLine, bool ends = true);

// Writes every line of the file to `out`, in order, each ended by
// std::endl; a last line without line end is written all the same. Reads
// the file in blocks, and no further than its size when opened, so neither a
// huge file nor one that grows while shown (output redirected into it)
// holds memory or loops. A failure, writing nothing, when it cannot be read
// (a directory, a FIFO, a device).
Status writeHistory(FileSystem& files, std::ostream& out);

// Leaves the file empty, or says why it could not.
Status clearHistory(FileSystem& files);

// The @ command: shows the history or clears it.
void runHistoryCommand(Console& console);

// The line on standard error, once per run, when a command line could not
// be logged.
inline constexpr std::string_view historyAppendFailedMessage =
    "Attenzione: impossibile scrivere la cronologia in function_history.txt.";
