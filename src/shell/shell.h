// Start-up and the command loop: read a command line, log it, run its command.
#pragma once

#include <ostream>
#include <string>

#include "console/console.h"

void printBanner(std::ostream& out);
void printPromptBlock(std::ostream& out);

// Reads one whole command line into `line` and logs it to the function
// history. A tool's failed read is forgotten first: the state is cleared and
// the rest of that line dropped. False at the end of input.
bool readCommandLine(Console& console, std::string& line);

// Runs one command line; false when it ends the program.
bool runCommandLine(Console& console, const std::string& line);

// Title, saved theme and banner.
void runStartup(Console& console);

// The whole program: start-up, then commands until one ends it.
void runShell(Console& console);
