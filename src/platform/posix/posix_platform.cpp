// POSIX implementation of Platform.
#include "platform/posix/posix_platform.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/executable_path.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_processes.h"

namespace {

constexpr std::string_view restartFailedMessage =
    "Errore: impossibile avviare una nuova copia del programma.";

constexpr std::string_view colourReset = "\033[0m";
// xterm's title stack: save the title before the first change, put it back
// at the end. Terminals without the stack ignore both.
constexpr std::string_view titlePush = "\033[22;0t";
constexpr std::string_view titlePop = "\033[23;0t";

// What an interrupting signal must undo, kept where its handler may read it.
namespace interrupted {
volatile sig_atomic_t inputFd = -1;
volatile sig_atomic_t outputFd = -1;
volatile sig_atomic_t coloursApplied = 0;
volatile sig_atomic_t titleSaved = 0;
// The terminal's mode when the program started: the line editor and the
// pause change it, and whoever gets the terminal after us expects it back.
volatile sig_atomic_t startModeKnown = 0;
termios startMode{};
// The pause's one-key mode while the pause waits.
volatile sig_atomic_t modeChanged = 0;
termios pauseMode{};

void writeRaw(std::string_view text) {
  [[maybe_unused]] ssize_t ignored = write(outputFd, text.data(), text.size());
}

// Restarted calls: a read waiting for a key goes on waiting once continued.
void setHandler(int signalNumber, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(signalNumber, &action, nullptr);
}

// Only async-signal-safe calls here.
void restoreAndEnd(int signalNumber) {
  removeUnfinishedOutputFile();
  if (startModeKnown)
    tcsetattr(inputFd, TCSANOW, &startMode);
  if (coloursApplied)
    writeRaw(colourReset);
  if (titleSaved)
    writeRaw(titlePop);
  // Ends with the signal's own status once the handler returns.
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

// Ctrl-Z: the shell gets the terminal in the mode it gave us, and whatever
// mode we were in comes back when we are continued.
void suspend(int) {
  int savedErrno = errno;
  termios current{};
  bool known = startModeKnown && tcgetattr(inputFd, &current) == 0;
  if (known)
    tcsetattr(inputFd, TCSANOW, &startMode);
  signal(SIGTSTP, SIG_DFL);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  raise(SIGTSTP);
  // Continued.
  setHandler(SIGTSTP, suspend);
  if (known)
    tcsetattr(inputFd, TCSANOW, &current);
  errno = savedErrno;
}

// A shell may have put the terminal back in line mode while we were stopped
// (by SIGSTOP too, which no handler sees); the pause needs its own mode.
void resume(int) {
  int savedErrno = errno;
  if (modeChanged)
    tcsetattr(inputFd, TCSANOW, &pauseMode);
  errno = savedErrno;
}
}  // namespace interrupted

int colourDigitValue(char digit) {
  if (digit >= '0' && digit <= '9')
    return digit - '0';
  if (digit >= 'a' && digit <= 'f')
    return digit - 'a' + 10;
  return digit - 'A' + 10;
}

// Console colours count blue as bit 0 and red as bit 2; ANSI the other way.
int ansiColourIndex(char digit) {
  static constexpr int consoleToAnsi[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return consoleToAnsi[colourDigitValue(digit) & 7];
}

bool isBright(char digit) { return colourDigitValue(digit) >= 8; }

}  // namespace

std::string ansiColourSequence(char background, char text) {
  // The reset colours: the terminal's own defaults, whatever they are,
  // rather than a forced black and bright white.
  if (colourDigitValue(background) == 0 && colourDigitValue(text) == 15)
    return "\033[0m";
  int foregroundCode = (isBright(text) ? 90 : 30) + ansiColourIndex(text);
  int backgroundCode = (isBright(background) ? 100 : 40) + ansiColourIndex(background);
  return "\033[0;" + std::to_string(foregroundCode) + ";" + std::to_string(backgroundCode) + "m";
}

std::string describeWriteError(int error) {
  if (error == EPIPE)
    return describeOutputFailure(OutputFailure::readerGone);
  if (error == ENOSPC)
    return describeOutputFailure(OutputFailure::deviceFull);
  return describeOutputFailure(OutputFailure::other, error == 0 ? "" : std::strerror(error));
}

TerminalSettings hostTerminalSettings() {
  TerminalSettings settings;
  settings.inputFd = STDIN_FILENO;
  settings.outputFd = STDOUT_FILENO;
  settings.noColour = std::getenv("NO_COLOR") != nullptr;
  const char* terminalType = std::getenv("TERM");
  settings.dumbTerminal = terminalType && std::string_view(terminalType) == "dumb";
  return settings;
}

PosixPlatform::PosixPlatform(std::ostream& out, const TerminalSettings& terminal)
    : out_(out),
      terminal_(terminal),
      escapesAllowed_(isatty(terminal.outputFd) == 1 && !terminal.dumbTerminal),
      inputIsTerminal_(isatty(terminal.inputFd) == 1) {
  interrupted::inputFd = terminal.inputFd;
  interrupted::outputFd = terminal.outputFd;
  interrupted::startModeKnown = 0;
  if (inputIsTerminal_ && tcgetattr(terminal.inputFd, &interrupted::startMode) == 0)
    interrupted::startModeKnown = 1;
}

PosixPlatform::~PosixPlatform() {
  // The editor stands in front of the buffers put back below.
  lineEditor_.reset();
  restoreTerminal();
  out_.flush();
  if (inputStream_)
    inputStream_->rdbuf(previousInputBuffer_);
  if (output_)
    out_.rdbuf(previousOutputBuffer_);
}

void PosixPlatform::takeOverInput(std::istream& in) {
  input_ = std::make_unique<DescriptorInputBuffer>(terminal_.inputFd);
  input_->adoptHandedOverInput();
  inputStream_ = &in;
  previousInputBuffer_ = in.rdbuf(input_.get());
}

void PosixPlatform::takeOverOutput() {
  output_ = std::make_unique<DescriptorOutputBuffer>(terminal_.outputFd);
  previousOutputBuffer_ = out_.rdbuf(output_.get());
}

void PosixPlatform::restoreTerminalOnSignals() {
  // A file-size limit makes the write fail with its message instead of
  // ending the program with half a file.
  signal(SIGXFSZ, SIG_IGN);
  auto ignoredByParent = [](int signalNumber) {
    struct sigaction current {};
    return sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
  };
  // A signal ignored by whoever started us (nohup, a background job) stays
  // ignored.
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    if (!ignoredByParent(signalNumber))
      interrupted::setHandler(signalNumber, interrupted::restoreAndEnd);
  }
  if (!inputIsTerminal_)
    return;
  if (!ignoredByParent(SIGTSTP))
    interrupted::setHandler(SIGTSTP, interrupted::suspend);
  interrupted::setHandler(SIGCONT, interrupted::resume);
}

void PosixPlatform::setConnectivityCheck(std::string port, std::chrono::milliseconds timeout) {
  connectivityPort_ = std::move(port);
  connectivityTimeout_ = timeout;
}

void PosixPlatform::setRestartProgram(std::string path) { restartProgram_ = std::move(path); }

void PosixPlatform::reportErrorsTo(std::ostream& err) { errors_ = &err; }

void PosixPlatform::reportError(std::string_view message) {
  if (errors_)
    *errors_ << message << std::endl;
}

void PosixPlatform::startLineEditing(std::istream& in) {
  lineEditor_ = LineEditor::startOnTerminal(in, out_, terminal_.inputFd, terminal_.outputFd);
}

void PosixPlatform::writeEscape(std::string_view sequence) {
  if (!escapesAllowed_)
    return;
  out_ << sequence;
  out_.flush();
}

void PosixPlatform::restoreTerminal() {
  if (coloursApplied_) {
    writeEscape(colourReset);
    coloursApplied_ = false;
    interrupted::coloursApplied = 0;
  }
  if (titleSaved_) {
    writeEscape(titlePop);
    titleSaved_ = false;
    interrupted::titleSaved = 0;
  }
}

void PosixPlatform::setTitle(std::string_view title) {
  if (!escapesAllowed_)
    return;
  if (!titleSaved_) {
    writeEscape(titlePush);
    titleSaved_ = true;
    interrupted::titleSaved = 1;
  }
  writeEscape("\033]0;" + std::string(title) + "\007");
}

void PosixPlatform::clearScreen() { writeEscape("\033[H\033[2J\033[3J"); }

void PosixPlatform::applyColours(char background, char text) {
  if (!escapesAllowed_ || terminal_.noColour)
    return;
  if (!isColourDigit(background) || !isColourDigit(text))
    return;
  // The console's colour command refuses text as dark as its background.
  if (colourDigitValue(background) == colourDigitValue(text))
    return;
  writeEscape(ansiColourSequence(background, text));
  coloursApplied_ = true;
  interrupted::coloursApplied = 1;
}

void PosixPlatform::pause() {
  if (!inputIsTerminal_)
    return;
  out_ << "Premere un tasto per continuare . . . ";
  out_.flush();
  int fd = terminal_.inputFd;
  termios saved{};
  bool raw = tcgetattr(fd, &saved) == 0;
  termios oneKey = saved;
  if (raw) {
    oneKey.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    oneKey.c_cc[VMIN] = 1;
    oneKey.c_cc[VTIME] = 0;
    interrupted::pauseMode = oneKey;
    interrupted::modeChanged = 1;
    tcsetattr(fd, TCSANOW, &oneKey);
  }
  char key = 0;
  [[maybe_unused]] ssize_t got = read(fd, &key, 1);
  if (raw) {
    // Arrows and function keys send several bytes at once; what is left of
    // the key must not reach the shell that started us.
    oneKey.c_cc[VMIN] = 0;
    oneKey.c_cc[VTIME] = 1;
    tcsetattr(fd, TCSANOW, &oneKey);
    char rest[64];
    while (read(fd, rest, sizeof rest) > 0) {
    }
    tcsetattr(fd, TCSANOW, &saved);
    interrupted::modeChanged = 0;
  }
  out_ << '\n';
  out_.flush();
}

bool PosixPlatform::isReachable(std::string_view host) {
  out_.flush();
  return connectsWithin(std::string(host), connectivityPort_, connectivityTimeout_);
}

bool PosixPlatform::openPage(std::string_view address) {
#ifdef __APPLE__
  constexpr const char* opener = "open";
#else
  constexpr const char* opener = "xdg-open";
#endif
  out_.flush();
  return startDetached(opener, std::string(address));
}

Result<int> PosixPlatform::restart() {
  // The new instance starts from the user's own colours and title.
  restoreTerminal();
  out_.flush();
  if (input_ && !input_->handOverUnread())
    return Status::failure(Status::Code::ioError, std::string(restartFailedMessage));
  char programName[] = "kalvex-terminal";
  char* arguments[] = {programName, nullptr};
  if (!restartProgram_.empty()) {
    execv(restartProgram_.c_str(), arguments);
  } else {
    if (std::optional<std::filesystem::path> program = executablePath())
      execv(program->c_str(), arguments);
#ifndef __APPLE__
    // The file may have been replaced or removed since it was started; the
    // running image can still be started again through the kernel's link.
    execv("/proc/self/exe", arguments);
#endif
  }
  unsetenv(handedOverInputVariable);
  return Status::failure(Status::Code::notFound, std::string(restartFailedMessage));
}

void PosixPlatform::reportOutputFailure() {
  if (!output_) {
    Platform::reportOutputFailure();
    return;
  }
  std::string message = describeWriteError(output_->error());
  if (!message.empty())
    reportError(message);
}

void PosixPlatform::expectCommandLine() {
  if (lineEditor_)
    lineEditor_->expectCommandLine();
}

void PosixPlatform::rememberCommandLine(std::string_view line) {
  if (lineEditor_)
    lineEditor_->rememberCommandLine(line);
}

void PosixPlatform::forgetCommandLines() {
  if (lineEditor_)
    lineEditor_->forgetCommandLines();
}

std::unique_ptr<Platform> makeHostPlatform(std::istream& in, std::ostream& out, std::ostream& err) {
  // A closed output pipe must not kill the program: the write fails, and the
  // command loop ends at its next prompt.
  signal(SIGPIPE, SIG_IGN);
  auto platform = std::make_unique<PosixPlatform>(out, hostTerminalSettings());
  platform->reportErrorsTo(err);
  platform->takeOverInput(in);
  platform->takeOverOutput();
  platform->restoreTerminalOnSignals();
  platform->startLineEditing(in);
  return platform;
}
