// Runs a program on a pseudo-terminal, as a user at a terminal would:
//
//   kalvex_pty_run [SIGNAL] -- PROGRAM < input > output
//
// The terminal is raw (no echo, no CR added to line ends) so the output is
// exactly what the program wrote. Standard input is typed at once. Whenever
// the output ends with the exit pause's request, an arrow key is pressed.
// With SIGNAL (INT, TERM, HUP or QUIT) that signal is sent once the program has
// sat quietly at a "Path: " prompt. Standard error stays the caller's.
//
// Exits with the program's status (128 + N when signal N ended it). Input
// still unread on the terminal when the program ends would reach the user's
// shell: it is reported on standard error.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view pauseRequest = "Premere un tasto per continuare . . . ";
constexpr std::string_view arrowUp = "\033[A";
constexpr std::string_view commandPrompt = "Path: ";
constexpr auto quietBeforeSignal = std::chrono::milliseconds(300);
constexpr auto runLimit = std::chrono::seconds(20);

int signalNamed(std::string_view name) {
  if (name == "INT")
    return SIGINT;
  if (name == "TERM")
    return SIGTERM;
  if (name == "HUP")
    return SIGHUP;
  if (name == "QUIT")
    return SIGQUIT;
  return 0;
}

void writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t written = write(fd, text.data(), text.size());
    if (written <= 0)
      return;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

bool readAvailable(int fd, std::string& into) {
  char block[4096];
  ssize_t got = read(fd, block, sizeof block);
  if (got <= 0)
    return false;
  into.append(block, static_cast<std::size_t>(got));
  return true;
}

[[noreturn]] void runChild(int slave, char** program) {
  setsid();
  dup2(slave, STDIN_FILENO);
  dup2(slave, STDOUT_FILENO);
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE})
    signal(signalNumber, SIG_DFL);
  // SIGQUIT would leave a core file among the files a case compares.
  rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  execv(program[0], program);
  std::perror("exec");
  _exit(127);
}

}  // namespace

int main(int argc, char** argv) {
  int signalToSend = 0;
  int first = 1;
  if (first < argc && std::string_view(argv[first]) != "--")
    signalToSend = signalNamed(argv[first++]);
  if (first >= argc || std::string_view(argv[first]) != "--" || first + 1 >= argc) {
    std::cerr << "usage: kalvex_pty_run [INT|TERM|HUP] -- PROGRAM < input\n";
    return 2;
  }
  std::string typed((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());

  int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
    return 2;
  int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
  if (slave < 0)
    return 2;
  termios mode{};
  tcgetattr(slave, &mode);
  cfmakeraw(&mode);
  tcsetattr(slave, TCSANOW, &mode);

  pid_t child = fork();
  if (child == 0) {
    close(master);
    runChild(slave, argv + first + 1);
  }
  // The slave stays open here: what the program left unread is still there
  // to see once it has ended.
  writeAll(master, typed);
  std::string output;
  std::size_t pausesAnswered = 0;
  bool signalled = false;
  auto start = std::chrono::steady_clock::now();
  auto lastOutput = start;
  int status = 0;
  for (;;) {
    pollfd ready{master, POLLIN, 0};
    if (poll(&ready, 1, 20) > 0 && readAvailable(master, output))
      lastOutput = std::chrono::steady_clock::now();
    auto now = std::chrono::steady_clock::now();
    std::string_view seen(output);
    if (seen.ends_with(pauseRequest) && pausesAnswered < output.size()) {
      pausesAnswered = output.size();
      writeAll(master, arrowUp);
    }
    if (signalToSend && !signalled && seen.ends_with(commandPrompt) &&
        now - lastOutput >= quietBeforeSignal) {
      kill(child, signalToSend);
      signalled = true;
    }
    if (waitpid(child, &status, WNOHANG) == child)
      break;
    if (now - start > runLimit) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      std::cerr << "kalvex_pty_run: the program did not end in time\n";
      break;
    }
  }
  fcntl(master, F_SETFL, O_NONBLOCK);
  while (readAvailable(master, output)) {
  }
  std::cout << output << std::flush;

  fcntl(slave, F_SETFL, O_NONBLOCK);
  std::string unread;
  while (readAvailable(slave, unread)) {
  }
  if (!unread.empty())
    std::cerr << "kalvex_pty_run: " << unread.size() << " typed bytes left unread\n";
  if (WIFSIGNALED(status))
    return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}
