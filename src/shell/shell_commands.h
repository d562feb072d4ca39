// The commands that belong to the shell itself: help, clear screen, restart
// and exit.
#pragma once

#include <optional>

#include "console/console.h"

void printHelp(Console& console);
void clearScreen(Console& console);
// Says that a new instance is being started.
void announceRestart(Console& console);
// Starts a new instance in place of this one: the status this one ends with,
// or nothing when none could be started (said on standard error), and the
// loop goes on.
std::optional<int> restartProgram(Console& console);
// Says goodbye and waits for a key; the loop then ends the program.
void exitProgram(Console& console);
