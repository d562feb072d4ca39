// Standard output on Windows, written through a buffer of our own so that
// the reason of a failed write (a closed pipe, a full disk) is kept for the
// message the program ends with. Line ends are the console's: each LF goes
// out as CR LF, as a text-mode stream writes it.
#pragma once

#include <streambuf>
#include <string>

class HandleOutputBuffer : public std::streambuf {
 public:
  // `handle` is a Windows HANDLE, kept open by its owner.
  explicit HandleOutputBuffer(void* handle);
  HandleOutputBuffer(const HandleOutputBuffer&) = delete;
  HandleOutputBuffer& operator=(const HandleOutputBuffer&) = delete;

  // The system error code of the first write that failed; 0 while every
  // write succeeded. Once a write has failed, everything later is dropped.
  unsigned long error() const { return error_; }

 protected:
  int_type overflow(int_type byte) override;
  int sync() override;

 private:
  bool flushBlock();

  static constexpr int blockSize = 4096;
  void* handle_;
  unsigned long error_ = 0;
  char block_[blockSize];
};

// The line for standard error when writing failed with `error` (a system
// error code); empty for a closed pipe, which ends a program silently.
std::string describeOutputError(unsigned long error);
