// The commands that belong to the shell itself: help, clear screen, restart
// and exit.
#pragma once

#include "console/console.h"

void printHelp(Console& console);
void clearScreen(Console& console);
// Starts a new instance in place of this one; returns only when none could
// be started (said on standard error), and the loop goes on.
void restartProgram(Console& console);
// Says goodbye and waits for a key; the loop then ends the program.
void exitProgram(Console& console);
