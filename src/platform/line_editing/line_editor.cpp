// Line editing at a terminal.
#include "platform/line_editing/line_editor.h"

#include <termios.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/line_editing/terminal_line_source.h"

namespace {

bool isTerminalInLineMode(int fd) {
  termios mode{};
  return isatty(fd) == 1 && tcgetattr(fd, &mode) == 0 && (mode.c_lflag & ICANON) != 0;
}

bool canMoveCursor() {
  const char* type = std::getenv("TERM");
  return type && *type && std::string_view(type) != "dumb";
}

}  // namespace

std::unique_ptr<LineEditor> LineEditor::startOnTerminal(std::istream& in, std::ostream& out,
                                                        int inputFd, int outputFd) {
  if (!isTerminalInLineMode(inputFd) || isatty(outputFd) != 1 || !canMoveCursor())
    return nullptr;
  std::unique_ptr<LineSource> source = openTerminalLineSource(inputFd, outputFd);
  if (!source)
    return nullptr;
  return std::make_unique<LineEditor>(in, out, std::move(source));
}

LineEditor::LineEditor(std::istream& in, std::ostream& out, std::unique_ptr<LineSource> source)
    : in_(in),
      out_(out),
      source_(std::move(source)),
      output_(out.rdbuf()),
      input_(*source_, output_, recall_),
      previousInput_(in.rdbuf(&input_)) {
  out_.rdbuf(&output_);
}

LineEditor::~LineEditor() {
  out_.flush();
  out_.rdbuf(output_.target());
  in_.rdbuf(previousInput_);
}
