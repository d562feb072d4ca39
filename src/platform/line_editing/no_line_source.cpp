// A build without libedit: terminal input is read as the terminal delivers
// it, edited only by the terminal's own erase and kill keys.
#include "platform/line_editing/terminal_line_source.h"

std::unique_ptr<LineSource> openTerminalLineSource(int, int) { return nullptr; }
