// The secure random source on POSIX systems.
#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/system_random.h"

#if defined(__linux__)
#include <sys/random.h>
#else
#include <unistd.h>
#endif

Status fillFromSystemRandom(std::span<unsigned char> bytes) {
  while (!bytes.empty()) {
#if defined(__linux__)
    // A large request may come back short when a signal arrives; the rest
    // is asked again.
    ssize_t got = getrandom(bytes.data(), bytes.size(), 0);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      return Status::failure(Status::Code::ioError, std::string(systemRandomFailedMessage));
    bytes = bytes.subspan(static_cast<std::size_t>(got));
#else
    std::size_t size = std::min<std::size_t>(bytes.size(), 256);  // getentropy's most
    if (getentropy(bytes.data(), size) != 0)
      return Status::failure(Status::Code::ioError, std::string(systemRandomFailedMessage));
    bytes = bytes.subspan(size);
#endif
  }
  return Status::ok();
}
