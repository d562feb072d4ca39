// The operating-system effects the program relies on: clearing the screen,
// the window title, console colours, the exit pause, the connectivity check,
// opening a web page and relaunching itself. Everything else is plain
// standard-stream I/O, so a driver given a fake Platform runs fully in-process.
#pragma once

#include <chrono>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"

class Platform {
 public:
  virtual ~Platform() = default;

  virtual void setTitle(std::string_view title) = 0;
  virtual void clearScreen() = 0;
  // Console colour digits 0-9/a-f, as the Windows "color" command takes them.
  virtual void applyColours(char background, char text) = 0;
  // Waits for one key before the program ends.
  virtual void pause() = 0;
  // True when `host` answers; bounded in time, never hangs.
  virtual bool isReachable(std::string_view host) = 0;
  // Hands `address` to the desktop's browser without waiting for it. False
  // when no browser could be started.
  virtual bool openPage(std::string_view address) = 0;
  // Starts a fresh instance of the program in place of this one. Where the
  // system can replace the running program, success never returns; where it
  // cannot, the new instance's exit status, for this one to end with. A
  // failure leaves the input still unread for this instance.
  virtual Result<int> restart() = 0;
  // Where every file the program reads or writes is reached.
  virtual FileSystem& files();
  // Holds the program still for `duration`: the pauses of the generators'
  // progress animation.
  virtual void sleepFor(std::chrono::milliseconds duration);
  // Seconds since 1970-01-01 by the calendar clock.
  virtual std::int64_t calendarSeconds();
  // Fills every byte of `bytes` from the system's secure random source; a
  // failure when the source cannot.
  virtual Status fillRandom(std::span<unsigned char> bytes);
  // Writes `message` as one line on standard error, apart from the dialogue.
  virtual void reportError(std::string_view message) = 0;
  // Standard output can no longer be written: says why on standard error,
  // except when its reader went away (a closed pipe), which needs no word.
  virtual void reportOutputFailure();
  // Recall of earlier command lines where input is edited at a terminal: the
  // next line read is a command line; `line` was read as one (or found in
  // the history of an earlier run); the history was emptied.
  virtual void expectCommandLine();
  virtual void rememberCommandLine(std::string_view line);
  virtual void forgetCommandLines();
};

// The implementation for the system the program was built for, given the
// program's standard streams; it may take over how `in` reads, writes its
// terminal effects to `out` and its reports to `err`.
std::unique_ptr<Platform> makeHostPlatform(std::istream& in, std::ostream& out, std::ostream& err);

// True for the sixteen console colour digits 0-9, a-f, A-F.
bool isColourDigit(char digit);

// The line on standard error when standard output has failed for a reason
// the platform cannot tell.
inline constexpr std::string_view outputFailureMessage =
    "Errore: impossibile scrivere sull'output standard.";

// Why standard output failed, as each system's error codes sort out.
enum class OutputFailure { readerGone, deviceFull, other };

// The line for standard error when standard output failed: none when its
// reader went away (a closed pipe ends a program silently), the line naming
// a full disk, or the line naming `reason`, the system's own words, when it
// gave any.
std::string describeOutputFailure(OutputFailure failure, std::string_view reason = {});
