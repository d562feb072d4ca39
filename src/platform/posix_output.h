// Standard output on POSIX systems, written through a buffer of our own so
// that the reason of a failed write (a closed pipe, a full disk) is kept for
// the message the program ends with.
#pragma once

#include <streambuf>

class DescriptorOutputBuffer : public std::streambuf {
 public:
  explicit DescriptorOutputBuffer(int fd);
  DescriptorOutputBuffer(const DescriptorOutputBuffer&) = delete;
  DescriptorOutputBuffer& operator=(const DescriptorOutputBuffer&) = delete;

  // The errno of the first write that failed; 0 while every write succeeded.
  // Once a write has failed, everything later is dropped.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type byte) override;
  int sync() override;

 private:
  bool flushBlock();

  static constexpr int blockSize = 4096;
  int fd_;
  int error_ = 0;
  char block_[blockSize];
};
