// Standard input on POSIX systems.
#include "platform/posix_input.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix_descriptor.h"

namespace {

// Runs in a detached process: feeds `pending`, then everything `source`
// still yields, into `sink`. Ends when either side closes.
[[noreturn]] void relay(const char* pending, size_t size, int source, int sink) {
  int devNull = open("/dev/null", O_WRONLY);
  // Holding the terminal's output open would keep readers of it waiting.
  if (devNull >= 0) {
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
  }
  if (!writeAll(sink, pending, size))
    _exit(0);
  char block[4096];
  for (;;) {
    ssize_t got = read(source, block, sizeof block);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0 || !writeAll(sink, block, static_cast<size_t>(got)))
      _exit(0);
  }
}

}  // namespace

DescriptorInputBuffer::int_type DescriptorInputBuffer::underflow() {
  if (gptr() < egptr())
    return traits_type::to_int_type(*gptr());
  ssize_t got = 0;
  do {
    got = read(fd_, block_, blockSize);
  } while (got < 0 && errno == EINTR);
  if (got <= 0)
    return traits_type::eof();
  setg(block_, block_, block_ + got);
  return traits_type::to_int_type(*gptr());
}

void DescriptorInputBuffer::handOverUnread() {
  const char* pending = gptr();
  size_t size = static_cast<size_t>(egptr() - gptr());
  setg(block_, block_, block_);
  if (size == 0)
    return;
  if (lseek(fd_, -static_cast<off_t>(size), SEEK_CUR) >= 0)
    return;
  int channel[2];
  if (pipe(channel) != 0)
    return;
  // Double fork: the relay is nobody's child to wait for once we are replaced.
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    if (fork() == 0)
      relay(pending, size, fd_, channel[1]);
    _exit(0);
  }
  close(channel[1]);
  if (child > 0) {
    int status = 0;
    waitpid(child, &status, 0);
    dup2(channel[0], fd_);
  }
  close(channel[0]);
}
