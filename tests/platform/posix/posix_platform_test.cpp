#include "platform/posix/posix_platform.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <sstream>
#include <vector>

#include "dialogue.h"

namespace {

using namespace std::chrono_literals;

const std::string title = "\033[22;0t\033]0;Kalvex Terminal\007";
const std::string clear = "\033[H\033[2J\033[3J";
const std::string restored = "\033[0m\033[23;0t";

// A pseudo-terminal: the program's side (`user`) looks like a terminal to
// isatty; the test types and reads on the other side (`keyboard`).
class PseudoTerminal {
 public:
  PseudoTerminal() {
    keyboard = posix_openpt(O_RDWR | O_NOCTTY);
    if (keyboard >= 0 && grantpt(keyboard) == 0 && unlockpt(keyboard) == 0)
      user = open(ptsname(keyboard), O_RDWR | O_NOCTTY);
  }
  ~PseudoTerminal() {
    close(user);
    close(keyboard);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool isOpen() const { return keyboard >= 0 && user >= 0; }
  void type(std::string_view keys) const {
    ASSERT_EQ(write(keyboard, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  // What the program's side could still read, without waiting.
  std::string unread() const { return readWithin(user, 0ms); }
  tcflag_t localModes() const {
    termios mode{};
    tcgetattr(user, &mode);
    return mode.c_lflag;
  }

  int keyboard = -1;
  int user = -1;

 private:
  static std::string readWithin(int fd, std::chrono::milliseconds limit) {
    std::string text;
    char block[256];
    pollfd ready{fd, POLLIN, 0};
    while (poll(&ready, 1, static_cast<int>(limit.count())) > 0) {
      ssize_t got = read(fd, block, sizeof block);
      if (got <= 0)
        break;
      text.append(block, static_cast<std::size_t>(got));
    }
    return text;
  }
};

// A pipe, which is not a terminal.
struct Pipe {
  Pipe() { EXPECT_EQ(pipe(ends), 0); }
  ~Pipe() {
    close(ends[0]);
    close(ends[1]);
  }
  int ends[2] = {-1, -1};
};

TerminalSettings on(int inputFd, int outputFd) {
  TerminalSettings settings;
  settings.inputFd = inputFd;
  settings.outputFd = outputFd;
  return settings;
}

void drawEverything(Platform& platform) {
  platform.setTitle("Kalvex Terminal");
  platform.clearScreen();
  platform.applyColours('9', 'e');
}

}  // namespace

// The terminal transcripts draw "color 9e" and the reset.
TEST(AnsiColourSequence, MapsConsoleDigitsToAnsiColours) {
  EXPECT_EQ(ansiColourSequence('0', 'F'), "\033[0m");
  EXPECT_EQ(ansiColourSequence('0', '7'), "\033[0;37;40m");
  EXPECT_EQ(ansiColourSequence('1', '4'), "\033[0;31;44m");
  EXPECT_EQ(ansiColourSequence('3', '6'), "\033[0;33;46m");
  EXPECT_EQ(ansiColourSequence('8', '7'), "\033[0;37;100m");
  EXPECT_EQ(ansiColourSequence('C', 'A'), "\033[0;92;101m");
}

TEST(PosixPlatform, ThePauseConsumesTheWholeKeyAndRestoresTheMode) {
  PseudoTerminal terminal;
  ASSERT_TRUE(terminal.isOpen());
  tcflag_t before = terminal.localModes();
  ASSERT_TRUE(before & ICANON);
  std::ostringstream out;
  PosixPlatform platform(out, on(terminal.user, terminal.user));
  for (std::string key : {"\033[A", "\033[15~", "\xC3\xA8"}) {
    terminal.type(key);
    platform.pause();
    EXPECT_EQ(terminal.unread(), "") << key.substr(1);
    EXPECT_EQ(terminal.localModes(), before);
  }
  EXPECT_TRUE(out.str().starts_with("Premere un tasto per continuare . . . ")) << out.str();
}

TEST(PosixPlatform, RestoresColoursBeforeARestart) {
  PseudoTerminal terminal;
  ASSERT_TRUE(terminal.isOpen());
  std::ostringstream out;
  PosixPlatform platform(out, on(terminal.user, terminal.user));
  drawEverything(platform);
  platform.setRestartProgram("/nonexistent/kalvex-terminal");
  EXPECT_FALSE(platform.restart().isOk());  // The program cannot be started.
  EXPECT_EQ(out.str(), title + clear + "\033[0;93;104m" + restored);
}

namespace {

// A TCP listener on 127.0.0.1, on a port of the system's choice.
class Listener {
 public:
  explicit Listener(int backlog) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd_, backlog) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
      return;
    port_ = ntohs(address.sin_port);
  }
  ~Listener() {
    for (int fd : waiting_)
      close(fd);
    close(fd_);
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  std::string port() const { return std::to_string(port_); }
  void stopListening() {
    close(fd_);
    fd_ = -1;
  }
  // Fills the queue of connections nobody accepts, so that a further one is
  // never answered: the kernel drops its handshake.
  bool stopAnswering() {
    for (int attempt = 0; attempt < 64; ++attempt) {
      int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      address.sin_port = htons(port_);
      connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
      waiting_.push_back(fd);
      pollfd done{fd, POLLOUT, 0};
      if (poll(&done, 1, 200) == 0)
        return true;
    }
    return false;
  }

 private:
  int fd_ = -1;
  unsigned short port_ = 0;
  std::vector<int> waiting_;
};

bool reachable(const Listener& listener, std::chrono::milliseconds timeout) {
  std::ostringstream out;
  Pipe neither;
  PosixPlatform platform(out, on(neither.ends[0], neither.ends[1]));
  platform.setConnectivityCheck(listener.port(), timeout);
  return platform.isReachable("127.0.0.1");
}

}  // namespace

TEST(ConnectivityCheck, IsTrueWhenTheHostAcceptsAndFalseWhenItRefuses) {
  Listener listener(16);
  ASSERT_NE(listener.port(), "0");
  EXPECT_TRUE(reachable(listener, 5s));
  listener.stopListening();
  EXPECT_FALSE(reachable(listener, 5s));
}

TEST(ConnectivityCheck, GivesUpOnAHostThatNeverAnswers) {
  Listener listener(0);
  ASSERT_NE(listener.port(), "0");
  if (!listener.stopAnswering())
    GTEST_SKIP() << "this system answers every connection";
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(reachable(listener, 300ms));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

// The closed pipe and the full disk are covered by the end-to-end tests.
TEST(DescribeWriteError, FallsBackToAGeneralMessage) {
  EXPECT_EQ(describeWriteError(0), outputFailureMessage);
  EXPECT_NE(describeWriteError(EIO), "");
}
