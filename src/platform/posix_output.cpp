// Standard output on POSIX systems.
#include "platform/posix_output.h"

#include <errno.h>
#include <unistd.h>

#include "platform/posix_descriptor.h"

DescriptorOutputBuffer::DescriptorOutputBuffer(int fd) : fd_(fd) {
  setp(block_, block_ + blockSize);
}

bool DescriptorOutputBuffer::flushBlock() {
  const char* data = pbase();
  const char* end = pptr();
  setp(block_, block_ + blockSize);
  if (error_ != 0)
    return false;
  if (!writeAll(fd_, data, static_cast<size_t>(end - data))) {
    error_ = errno;
    return false;
  }
  return true;
}

DescriptorOutputBuffer::int_type DescriptorOutputBuffer::overflow(int_type byte) {
  if (!flushBlock())
    return traits_type::eof();
  if (traits_type::eq_int_type(byte, traits_type::eof()))
    return traits_type::not_eof(byte);
  *pptr() = traits_type::to_char_type(byte);
  pbump(1);
  return byte;
}

int DescriptorOutputBuffer::sync() { return flushBlock() ? 0 : -1; }
