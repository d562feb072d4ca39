// Input rules shared by the command loop and the tools' menus.
#include "console/input.h"

bool isOneCharAnswer(std::string text) { return text.size() == 1 && text[0] != ' '; }

void discardOneChar(std::istream& in) { in.ignore(1); }
