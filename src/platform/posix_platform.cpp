// POSIX implementation of Platform.
#include "platform/posix_platform.h"

#include <fcntl.h>
#include <netdb.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

namespace {

constexpr auto connectivityTimeout = std::chrono::seconds(3);
constexpr auto childPollInterval = std::chrono::milliseconds(20);
constexpr const char* httpsPort = "443";

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

bool canConnect(const char* host) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* addresses = nullptr;
  if (getaddrinfo(host, httpsPort, &hints, &addresses) != 0)
    return false;
  bool connected = false;
  for (addrinfo* a = addresses; a && !connected; a = a->ai_next) {
    int fd = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (fd < 0)
      continue;
    connected = connect(fd, a->ai_addr, a->ai_addrlen) == 0;
    close(fd);
  }
  freeaddrinfo(addresses);
  return connected;
}

// Waits for `child` at most `timeout`; a child still running then is killed.
bool childSucceededWithin(pid_t child, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  for (;;) {
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child)
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0 || std::chrono::steady_clock::now() >= deadline)
      break;
    std::this_thread::sleep_for(childPollInterval);
  }
  kill(child, SIGKILL);
  waitpid(child, &status, 0);
  return false;
}

void detachFromTerminal() {
  int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
    if (devNull > STDERR_FILENO)
      close(devNull);
  }
  setsid();
  signal(SIGPIPE, SIG_DFL);
}

std::string ownExecutablePath() {
#ifdef __APPLE__
  char path[4096];
  uint32_t size = sizeof path;
  if (_NSGetExecutablePath(path, &size) == 0)
    return path;
  return {};
#else
  return "/proc/self/exe";
#endif
}

}  // namespace

std::string ansiColourSequence(char background, char text) {
  int foregroundCode = (isBright(text) ? 90 : 30) + ansiColourIndex(text);
  int backgroundCode = (isBright(background) ? 100 : 40) + ansiColourIndex(background);
  return "\033[0;" + std::to_string(foregroundCode) + ";" + std::to_string(backgroundCode) + "m";
}

PosixPlatform::PosixPlatform(std::ostream& out, bool outputIsTerminal, bool inputIsTerminal)
    : out_(out), outputIsTerminal_(outputIsTerminal), inputIsTerminal_(inputIsTerminal) {}

PosixPlatform::~PosixPlatform() {
  // The editor stands in front of the buffers put back below.
  lineEditor_.reset();
  resetAttributes();
  if (inputStream_)
    inputStream_->rdbuf(previousInputBuffer_);
}

void PosixPlatform::takeOverStandardInput(std::istream& in) {
  input_ = std::make_unique<DescriptorInputBuffer>(STDIN_FILENO);
  inputStream_ = &in;
  previousInputBuffer_ = in.rdbuf(input_.get());
}

void PosixPlatform::startLineEditing(std::istream& in) {
  lineEditor_ = LineEditor::startOnTerminal(in, out_, STDIN_FILENO, STDOUT_FILENO);
}

void PosixPlatform::writeEscape(std::string_view sequence) {
  if (!outputIsTerminal_)
    return;
  out_ << sequence;
  out_.flush();
}

void PosixPlatform::resetAttributes() {
  if (!coloursApplied_)
    return;
  writeEscape("\033[0m");
  coloursApplied_ = false;
}

void PosixPlatform::setTitle(std::string_view title) {
  writeEscape("\033]0;" + std::string(title) + "\007");
}

void PosixPlatform::clearScreen() { writeEscape("\033[H\033[2J\033[3J"); }

void PosixPlatform::applyColours(char background, char text) {
  if (!isColourDigit(background) || !isColourDigit(text))
    return;
  // The console's colour command refuses text as dark as its background.
  if (colourDigitValue(background) == colourDigitValue(text))
    return;
  writeEscape(ansiColourSequence(background, text));
  coloursApplied_ = outputIsTerminal_;
}

void PosixPlatform::pause() {
  if (!inputIsTerminal_)
    return;
  out_ << "Premere un tasto per continuare . . . ";
  out_.flush();
  termios saved{};
  bool raw = tcgetattr(STDIN_FILENO, &saved) == 0;
  if (raw) {
    termios oneKey = saved;
    oneKey.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    oneKey.c_cc[VMIN] = 1;
    oneKey.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &oneKey);
  }
  char key = 0;
  [[maybe_unused]] ssize_t got = read(STDIN_FILENO, &key, 1);
  if (raw)
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  out_ << '\n';
  out_.flush();
}

bool PosixPlatform::isReachable(std::string_view host) {
  std::string name(host);
  out_.flush();
  pid_t child = fork();
  if (child < 0)
    return false;
  if (child == 0)
    _exit(canConnect(name.c_str()) ? 0 : 1);
  return childSucceededWithin(child, connectivityTimeout);
}

void PosixPlatform::openPage(std::string_view address) {
#ifdef __APPLE__
  constexpr const char* opener = "open";
#else
  constexpr const char* opener = "xdg-open";
#endif
  std::string target(address);
  out_.flush();
  // Double fork: the opener is adopted by init, leaving no child to reap.
  pid_t child = fork();
  if (child < 0)
    return;
  if (child == 0) {
    if (fork() == 0) {
      detachFromTerminal();
      execlp(opener, opener, target.c_str(), static_cast<char*>(nullptr));
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

void PosixPlatform::restart() {
  resetAttributes();
  out_.flush();
  if (input_)
    input_->handOverUnread();
  std::string path = ownExecutablePath();
  if (path.empty())
    return;
  char programName[] = "kalvex-terminal";
  char* arguments[] = {programName, nullptr};
  execv(path.c_str(), arguments);
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

std::unique_ptr<Platform> makeHostPlatform(std::istream& in, std::ostream& out) {
  // A closed output pipe must not kill the program; writes just fail.
  signal(SIGPIPE, SIG_IGN);
  auto platform =
      std::make_unique<PosixPlatform>(out, isatty(STDOUT_FILENO) == 1, isatty(STDIN_FILENO) == 1);
  platform->takeOverStandardInput(in);
  platform->startLineEditing(in);
  return platform;
}
