// The Platform for Linux and macOS terminals: ANSI escape sequences for the
// screen, title and colours, termios for the pause, a forked child for the
// bounded connectivity check, the desktop opener for pages and exec() for
// the restart. An interrupting signal leaves the terminal as it was found.
#pragma once

#include <chrono>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/line_editing/line_editor.h"
#include "platform/platform.h"
#include "platform/posix/posix_input.h"
#include "platform/posix/posix_output.h"

// Where the dialogue runs and what the user's environment asks of it.
struct TerminalSettings {
  int inputFd = 0;
  int outputFd = 1;
  bool noColour = false;      // NO_COLOR is set, whatever its value.
  bool dumbTerminal = false;  // TERM=dumb: no escape sequences at all.
};

// Standard input and output, with NO_COLOR and TERM read from the environment.
TerminalSettings hostTerminalSettings();

class PosixPlatform : public Platform {
 public:
  // Escape sequences are written to `out` only when the output descriptor is
  // a terminal (so `kalvex-terminal > file` stays plain text); the pause
  // waits only when the input descriptor is one.
  PosixPlatform(std::ostream& out, const TerminalSettings& terminal);
  ~PosixPlatform() override;

  // Reads `in` from the input descriptor in blocks, so that a restart can
  // hand what was read ahead to the new instance.
  void takeOverInput(std::istream& in);
  // Writes `out_` to the output descriptor, keeping the reason of a failure.
  void takeOverOutput();
  // On SIGINT, SIGTERM, SIGHUP and SIGQUIT (unless ignored) removes the
  // file being written, puts back the colours, the title and the terminal
  // mode, then ends with that signal. SIGXFSZ is ignored, so a file-size
  // limit is a write error. At a terminal, Ctrl-Z hands the shell the
  // terminal's starting mode and takes ours back when continued.
  void restoreTerminalOnSignals();

  // The connectivity check connects to `port` of the host and gives up
  // after `timeout`.
  void setConnectivityCheck(std::string port, std::chrono::milliseconds timeout);
  // The program a restart starts; by default this one's own executable.
  void setRestartProgram(std::string path);
  // Where reportError writes; until set, reports are dropped.
  void reportErrorsTo(std::ostream& err);
  // At a terminal, edits each line read from `in` and offers earlier ones;
  // after every other take-over of the streams, since it stands in front.
  void startLineEditing(std::istream& in);

  void setTitle(std::string_view title) override;
  void clearScreen() override;
  void applyColours(char background, char text) override;
  void pause() override;
  bool isReachable(std::string_view host) override;
  bool openPage(std::string_view address) override;
  Result<int> restart() override;
  void reportError(std::string_view message) override;
  void reportOutputFailure() override;
  void expectCommandLine() override;
  void rememberCommandLine(std::string_view line) override;
  void forgetCommandLines() override;

 private:
  void writeEscape(std::string_view sequence);
  // Takes back what this program changed on the terminal.
  void restoreTerminal();

  std::ostream& out_;
  TerminalSettings terminal_;
  bool escapesAllowed_;
  bool inputIsTerminal_;
  bool coloursApplied_ = false;
  bool titleSaved_ = false;
  std::string connectivityPort_ = "443";
  std::chrono::milliseconds connectivityTimeout_ = std::chrono::seconds(3);
  std::string restartProgram_;
  std::ostream* errors_ = nullptr;
  std::unique_ptr<DescriptorInputBuffer> input_;
  std::istream* inputStream_ = nullptr;
  std::streambuf* previousInputBuffer_ = nullptr;
  std::unique_ptr<DescriptorOutputBuffer> output_;
  std::streambuf* previousOutputBuffer_ = nullptr;
  std::unique_ptr<LineEditor> lineEditor_;
};

// The SGR sequence that shows `text` on `background`, both console colour
// digits (0 black, 1 blue, 2 green, 3 aqua, 4 red, 5 purple, 6 yellow,
// 7 white, 8-f their bright forms). The reset colours, 0 and f, give the
// terminal's own default colours.
std::string ansiColourSequence(char background, char text);

// The line for standard error when writing failed with `error` (an errno);
// empty for a closed pipe, which ends a program silently.
std::string describeWriteError(int error);
