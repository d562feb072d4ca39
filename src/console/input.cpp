// Input rules shared by the command loop and the tools' menus.
#include "console/input.h"

#include <limits>

bool isOneCharAnswer(std::string text) { return text.size() == 1 && text[0] != ' '; }

void discardOneChar(std::istream& in) { in.ignore(1); }

bool recoverFromFailedRead(std::istream& in) {
  if (!in.fail() || in.eof() || in.bad())
    return false;
  in.clear();
  in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  return true;
}
