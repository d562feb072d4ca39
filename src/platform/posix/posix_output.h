// Standard output on POSIX systems, written through a buffer of our own so
// that the reason of a failed write (a closed pipe, a full disk) is kept for
// the message the program ends with.
#pragma once

#include <cstddef>

#include "platform/block_output_buffer.h"

class DescriptorOutputBuffer : public BlockOutputBuffer {
 public:
  explicit DescriptorOutputBuffer(int fd) : fd_(fd) {}

  // The errno of the first write that failed; 0 while every write succeeded.
  // Once a write has failed, everything later is dropped.
  int error() const { return error_; }

 protected:
  bool writeBlock(const char* data, std::size_t size) override;

 private:
  int fd_;
  int error_ = 0;
};
