// The Platform for Linux and macOS terminals: ANSI escape sequences for the
// screen, title and colours, termios for the pause, a forked child for the
// bounded connectivity check, the desktop opener for pages and exec() for
// the restart.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/line_editor.h"
#include "platform/platform.h"
#include "platform/posix_input.h"

class PosixPlatform : public Platform {
 public:
  // Escape sequences are written only when `outputIsTerminal`, so piped
  // output stays plain text; the pause waits only when `inputIsTerminal`.
  PosixPlatform(std::ostream& out, bool outputIsTerminal, bool inputIsTerminal);
  ~PosixPlatform() override;

  // Reads `in` from standard input in blocks, so that a restart can hand
  // what was read ahead to the new instance.
  void takeOverStandardInput(std::istream& in);
  // At a terminal, edits each line read from `in` and offers earlier ones;
  // after every other take-over of the streams, since it stands in front.
  void startLineEditing(std::istream& in);

  void setTitle(std::string_view title) override;
  void clearScreen() override;
  void applyColours(char background, char text) override;
  void pause() override;
  bool isReachable(std::string_view host) override;
  void openPage(std::string_view address) override;
  void restart() override;
  void expectCommandLine() override;
  void rememberCommandLine(std::string_view line) override;
  void forgetCommandLines() override;

 private:
  void writeEscape(std::string_view sequence);
  void resetAttributes();

  std::ostream& out_;
  bool outputIsTerminal_;
  bool inputIsTerminal_;
  bool coloursApplied_ = false;
  std::unique_ptr<DescriptorInputBuffer> input_;
  std::istream* inputStream_ = nullptr;
  std::streambuf* previousInputBuffer_ = nullptr;
  std::unique_ptr<LineEditor> lineEditor_;
};

// The SGR sequence that shows `text` on `background`, both console colour
// digits (0 black, 1 blue, 2 green, 3 aqua, 4 red, 5 purple, 6 yellow,
// 7 white, 8-f their bright forms).
std::string ansiColourSequence(char background, char text);
