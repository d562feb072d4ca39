// Start-up and the command loop: read a command line, log it, run its command.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "console/console.h"

// Reads one whole command line into `line` and logs it to the function
// history. A tool's failed read is forgotten first: the state is cleared and
// the rest of that line dropped. False at the end of input. The first line
// that cannot be logged is reported on standard error, and
// `historyFailureReported` set so that the run says it only once.
bool readCommandLine(Console& console, std::string& line, bool& historyFailureReported);

// Runs one command line: the status the program ends with when the line
// ends it, nothing when the loop goes on.
std::optional<int> runCommandLine(Console& console, const std::string& line);

// Title, saved theme and banner.
void runStartup(Console& console);

// The whole program: start-up, then commands until one ends it, or until
// the output can no longer be written. The process's exit status: 0, or
// outputFailedStatus after a failed write to the output, or the status of
// the instance a restart started where that one does not replace this.
int runShell(Console& console);

inline constexpr int outputFailedStatus = 1;
