// The source of edited lines at a real terminal.
#pragma once

#include <memory>

#include "platform/line_editing/edited_input.h"

// Edits lines on the terminal `inputFd` and `outputFd` stand for; null when
// the program was built without a line editor or the editor cannot start.
std::unique_ptr<LineSource> openTerminalLineSource(int inputFd, int outputFd);
