// An output stream buffer that hands its bytes to the system a block at a
// time and stops for good at the first write that fails: everything written
// after it is dropped, so the reason of the failure stays the one to tell.
#pragma once

#include <cstddef>
#include <streambuf>

class BlockOutputBuffer : public std::streambuf {
 public:
  BlockOutputBuffer();
  BlockOutputBuffer(const BlockOutputBuffer&) = delete;
  BlockOutputBuffer& operator=(const BlockOutputBuffer&) = delete;

 protected:
  // Writes all of `data`; false after a failed write, whose reason the
  // subclass keeps.
  virtual bool writeBlock(const char* data, std::size_t size) = 0;

  int_type overflow(int_type byte) override;
  int sync() override;

 private:
  bool flushBlock();

  static constexpr int blockSize = 4096;
  bool failed_ = false;
  char block_[blockSize];
};
