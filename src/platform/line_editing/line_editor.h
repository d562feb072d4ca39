// Line editing at a terminal: the program's input and output streams are
// taken over so that every line read is edited (cursor keys, Home/End,
// Ctrl-A/Ctrl-E, deletion) and earlier lines can be recalled with the up and
// down arrows, while every read behaves as on a terminal's own line input.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string_view>

#include "platform/line_editing/edited_input.h"
#include "platform/line_editing/line_recall.h"
#include "platform/line_editing/line_tracking.h"

class LineEditor {
 public:
  // Starts editing when `inputFd` and `outputFd` are both a terminal in its
  // ordinary line mode and TERM names a terminal that can move its cursor.
  // Null otherwise, and in a build without a line editor: input is then
  // read as it always was. A terminal set to raw mode belongs to whoever set
  // it (a program driving this one), and is left alone.
  static std::unique_ptr<LineEditor> startOnTerminal(std::istream& in, std::ostream& out,
                                                     int inputFd, int outputFd);

  // Reads `in` through `source` and watches what `out` writes.
  LineEditor(std::istream& in, std::ostream& out, std::unique_ptr<LineSource> source);
  // Gives both streams back their own buffers.
  ~LineEditor();
  LineEditor(const LineEditor&) = delete;
  LineEditor& operator=(const LineEditor&) = delete;

  void expectCommandLine() { recall_.expectCommandLine(); }
  void rememberCommandLine(std::string_view line) { recall_.rememberCommandLine(line); }
  void forgetCommandLines() { recall_.forgetCommandLines(); }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::unique_ptr<LineSource> source_;
  LineRecall recall_;
  LineTrackingBuffer output_;
  EditedInputBuffer input_;
  std::streambuf* previousInput_;
};
