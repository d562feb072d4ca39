// Input rules shared by the command loop and the tools' menus.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

#include "console/console.h"

// Printed before most answers, the command line's included.
inline constexpr std::string_view inputPrompt = "Path: ";

// True for a text of exactly one byte that is not a blank; tabs and control
// bytes pass.
bool isOneCharAnswer(std::string text);

// How much of an answer line is kept: more than any answer needs, so a huge
// line costs no more memory than this.
inline constexpr std::size_t keptLineLength = 4096;

// Reads one line as std::getline does, keeping at most keptLineLength bytes
// of it in `line`. `wholeLine`, when given, is handed every byte of the line
// (not its end) in blocks as they come. False, with the stream failed, when
// input ends before any byte.
bool readLine(std::istream& in, std::string& line,
              const std::function<void(std::string_view)>& wholeLine = {});

// Drops what is left of the current line, its end included: the rest of an
// answer refused before its question is asked again.
void dropRestOfAnswer(std::istream& in);

// The answers to a question about sex, and the error that asks again.
inline constexpr std::string_view sexErrorMessage =
    "ERRORE: Inserire solo il carattere 'M' o 'F'.\n";
inline bool isSexLetter(char c) { return c == 'm' || c == 'M' || c == 'f' || c == 'F'; }

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
  // A whole number typed with decimals counts as its whole part: "2.5"
  // reads 2, and ".5" is not left to fail the next question.
  if constexpr (std::is_integral_v<Value> && !std::is_same_v<Value, char>) {
    if (console.in && console.in.peek() == '.') {
      console.in.get();
      while (console.in.peek() >= '0' && console.in.peek() <= '9')
        console.in.get();
    }
  }
  return value;
}

// The answer to an unusable command line or an unknown key.
inline constexpr std::string_view invalidFunctionMessage = "Funzione non valida.Riprova";
