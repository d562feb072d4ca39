// Input rules shared by the command loop and the tools' menus.
#include "console/input.h"

#include <limits>

bool isOneCharAnswer(std::string text) { return text.size() == 1 && text[0] != ' '; }

void discardOneChar(std::istream& in) { in.ignore(1); }

void dropRestOfAnswer(std::istream& in) {
  in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

bool recoverFromFailedRead(std::istream& in) {
  if (!in.fail() || in.eof() || in.bad())
    return false;
  in.clear();
  in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  return true;
}

bool readLine(std::istream& in, std::string& line,
              const std::function<void(std::string_view)>& wholeLine) {
  constexpr std::size_t blockSize = 64 * 1024;
  line.clear();
  std::istream::sentry ready(in, true);
  if (!ready)
    return false;
  std::streambuf* source = in.rdbuf();
  std::string block;
  bool anything = false;
  for (;;) {
    int c = source->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in.setstate(anything ? std::ios_base::eofbit
                           : std::ios_base::eofbit | std::ios_base::failbit);
      break;
    }
    anything = true;
    if (c == '\n')
      break;
    char byte = static_cast<char>(c);
    if (line.size() < keptLineLength)
      line += byte;
    if (wholeLine) {
      block += byte;
      if (block.size() >= blockSize) {
        wholeLine(block);
        block.clear();
      }
    }
  }
  if (wholeLine && !block.empty())
    wholeLine(block);
  return anything;
}
