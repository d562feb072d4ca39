// Standard input on POSIX systems.
#include "platform/posix/posix_input.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/posix/posix_descriptor.h"

namespace {

// A file with no name, gone once the last descriptor on it is closed.
int unnamedFile() {
#ifdef __linux__
  if (int fd = memfd_create("kalvex-terminal-input", 0); fd >= 0)
    return fd;
#endif
  const char* folder = getenv("TMPDIR");
  std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/kalvex-XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd >= 0)
    unlink(pattern.c_str());
  return fd;
}

}  // namespace

DescriptorInputBuffer::~DescriptorInputBuffer() {
  if (earlierFd_ >= 0)
    close(earlierFd_);
}

void DescriptorInputBuffer::readFirst(int earlierFd) {
  if (earlierFd_ >= 0)
    close(earlierFd_);
  earlierFd_ = earlierFd;
  fcntl(earlierFd_, F_SETFD, FD_CLOEXEC);
}

void DescriptorInputBuffer::adoptHandedOverInput() {
  const char* named = getenv(handedOverInputVariable);
  if (!named)
    return;
  char* end = nullptr;
  long fd = strtol(named, &end, 10);
  bool valid = end != named && *end == '\0' && fd > 2 && fd < 1 << 20 &&
               fcntl(static_cast<int>(fd), F_GETFD) >= 0;
  unsetenv(handedOverInputVariable);
  if (valid)
    readFirst(static_cast<int>(fd));
}

DescriptorInputBuffer::int_type DescriptorInputBuffer::underflow() {
  if (gptr() < egptr())
    return traits_type::to_int_type(*gptr());
  ssize_t got = 0;
  if (earlierFd_ >= 0) {
    got = readSome(earlierFd_, block_, blockSize);
    if (got <= 0) {
      close(earlierFd_);
      earlierFd_ = -1;
    }
  }
  if (earlierFd_ < 0)
    got = readSome(fd_, block_, blockSize);
  if (got <= 0)
    return traits_type::eof();
  setg(block_, block_, block_ + got);
  return traits_type::to_int_type(*gptr());
}

bool DescriptorInputBuffer::handOverUnread() {
  const char* pending = gptr();
  size_t size = static_cast<size_t>(egptr() - gptr());
  if (earlierFd_ < 0) {
    if (size == 0)
      return true;
    if (lseek(fd_, -static_cast<off_t>(size), SEEK_CUR) >= 0) {
      setg(block_, block_, block_);
      return true;
    }
  }
  int carrier = unnamedFile();
  if (carrier < 0)
    return false;
  if (!writeAll(carrier, pending, size)) {
    close(carrier);
    return false;
  }
  if (earlierFd_ >= 0) {
    char copy[blockSize];
    for (ssize_t got; (got = readSome(earlierFd_, copy, sizeof copy)) > 0;) {
      if (!writeAll(carrier, copy, static_cast<size_t>(got)))
        break;
    }
    close(earlierFd_);
  }
  lseek(carrier, 0, SEEK_SET);
  setg(block_, block_, block_);
  // Kept open across exec; closed on exec by readFirst should the new copy
  // start further programs.
  earlierFd_ = carrier;
  setenv(handedOverInputVariable, std::to_string(carrier).c_str(), 1);
  return true;
}
