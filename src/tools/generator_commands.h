// The code generator (key g) and the password generator (key v): a length is
// asked, a short progress animation runs, and the drawn string is printed.
#pragma once

#include <cstdint>

#include "console/console.h"
#include "tools/random_strings.h"

// "Elaborando" and three dots, shown over 800 milliseconds whatever the work.
void showProgress(Console& console);

// The g command, seeded from the platform's calendar clock when the code is
// drawn.
void runCodeGenerator(Console& console);

// The v command, drawing from the platform's secure random source in blocks;
// when the source fails, the user is told that no password was made.
void runPasswordGenerator(Console& console);
