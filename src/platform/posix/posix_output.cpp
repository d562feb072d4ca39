// Standard output on POSIX systems.
#include "platform/posix/posix_output.h"

#include <errno.h>
#include <unistd.h>

#include "platform/posix/posix_descriptor.h"

bool DescriptorOutputBuffer::writeBlock(const char* data, std::size_t size) {
  if (writeAll(fd_, data, size))
    return true;
  error_ = errno;
  return false;
}
