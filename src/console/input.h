// Input rules shared by the command loop and the tools' menus.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "console/console.h"

// Printed before most answers, the command line's included.
inline constexpr std::string_view inputPrompt = "Path: ";

// True for a text of exactly one byte that is not a blank; tabs and control
// bytes pass.
bool isOneCharAnswer(std::string text);

// Drops one pending byte, whatever it is: the line end a formatted
// extraction leaves behind.
void discardOneChar(std::istream& in);

// After a formatted read that failed on text that is not a value: clears
// the stream and drops the rest of that line, so reading can go on. False,
// changing nothing, when the stream has not failed or its input has ended.
bool recoverFromFailedRead(std::istream& in);

// Prints `prompt` and reads one value by formatted extraction. A value that
// cannot be read counts as 0 (or empty): once the stream has failed, `>>`
// leaves its variable untouched, so the variable starts out that way.
template <typename Value>
Value readValue(Console& console, std::string_view prompt) {
  console.out << prompt;
  Value value{};
  console.in >> value;
  return value;
}

// The answer to an unusable command line or an unknown key.
inline constexpr std::string_view invalidFunctionMessage = "Funzione non valida.Riprova";
