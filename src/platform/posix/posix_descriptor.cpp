// Descriptor helpers shared by the POSIX file and stream code.
#include "platform/posix/posix_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int openWithoutWaiting(const char* path, int flags, mode_t mode) {
  int fd = ::open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
  if (fd < 0)
    return -1;
  int current = fcntl(fd, F_GETFL);
  if (current >= 0)
    fcntl(fd, F_SETFL, current & ~O_NONBLOCK);
  return fd;
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0) {
      if (written == 0)
        errno = EIO;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

ssize_t readSome(int fd, char* data, std::size_t size) {
  ssize_t got = 0;
  do {
    got = read(fd, data, size);
  } while (got < 0 && errno == EINTR);
  return got;
}
