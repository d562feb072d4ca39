// Standard output on Windows, written through a buffer of our own so that
// the reason of a failed write (a closed pipe, a full disk) is kept for the
// message the program ends with. Line ends are the console's: each LF goes
// out as CR LF, as a text-mode stream writes it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/block_output_buffer.h"

class HandleOutputBuffer : public BlockOutputBuffer {
 public:
  // `handle` is a Windows HANDLE, kept open by its owner.
  explicit HandleOutputBuffer(void* handle) : handle_(handle) {}

  // The system error code of the first write that failed; 0 while every
  // write succeeded. Once a write has failed, everything later is dropped.
  unsigned long error() const { return error_; }

 protected:
  bool writeBlock(const char* data, std::size_t size) override;

 private:
  void* handle_;
  unsigned long error_ = 0;
};

// The line for standard error when writing failed with `error` (a system
// error code); empty for a closed pipe, which ends a program silently.
std::string describeOutputError(unsigned long error);
