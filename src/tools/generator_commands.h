// The code generator (key g) and the password generator (key v): a length is
// asked, a short progress animation runs, and the drawn string is printed.
#pragma once

#include <cstdint>
#include <functional>

#include "console/console.h"
#include "tools/random_strings.h"

// Seconds since 1970-01-01 by the calendar clock.
using CalendarClock = std::function<std::int64_t()>;

// "Elaborando" and three dots, shown over 800 milliseconds whatever the work.
void showProgress(Console& console);

// The g command, seeded from the calendar clock when the code is drawn.
void runCodeGenerator(Console& console);
void runCodeGenerator(Console& console, const CalendarClock& clock);

// The system's secure random source: getrandom on Linux, getentropy on other
// POSIX systems, rand_s (through std::random_device) on Windows. Throws
// std::system_error, or std::random_device's own exception, when it fails.
void fillFromSystemRandom(std::span<unsigned char> bytes);

// The v command, drawing from fillFromSystemRandom in blocks.
void runPasswordGenerator(Console& console);
// `secureWords` may throw when the source is unavailable; the user is told
// that no password was made.
void runPasswordGenerator(Console& console, const WordSource& secureWords);
