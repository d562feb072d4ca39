// The child processes the POSIX platform starts.
#include "platform/posix/posix_processes.h"

#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/posix/posix_descriptor.h"

namespace {

constexpr auto childPollInterval = std::chrono::milliseconds(20);

bool canConnect(const char* host, const char* port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* addresses = nullptr;
  if (getaddrinfo(host, port, &hints, &addresses) != 0)
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

}  // namespace

bool connectsWithin(const std::string& host, const std::string& port,
                    std::chrono::milliseconds timeout) {
  pid_t child = fork();
  if (child < 0)
    return false;
  if (child == 0)
    _exit(canConnect(host.c_str(), port.c_str()) ? 0 : 1);
  return childSucceededWithin(child, timeout);
}

bool startDetached(const char* program, const std::string& argument) {
  // A pipe closed on a successful exec and written to when it fails tells
  // whether the program started, without waiting for it to end.
  int report[2];
  if (pipe(report) != 0)
    return false;
  fcntl(report[1], F_SETFD, FD_CLOEXEC);
  // Double fork: the program is adopted by init, leaving no child to reap.
  pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    if (fork() == 0) {
      detachFromTerminal();
      execlp(program, program, argument.c_str(), static_cast<char*>(nullptr));
      char failed = 1;
      [[maybe_unused]] ssize_t written = write(report[1], &failed, 1);
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  waitpid(child, &status, 0);
  char failed = 0;
  ssize_t got = readSome(report[0], &failed, 1);
  close(report[0]);
  return got == 0;
}
