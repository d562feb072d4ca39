// Standard input on POSIX systems, read in large blocks yet handed whole to a
// process that replaces this one: what was read ahead and not yet used is
// put back where the next reader of the descriptor will find it.
#pragma once

#include <streambuf>

class DescriptorInputBuffer : public std::streambuf {
 public:
  explicit DescriptorInputBuffer(int fd) : fd_(fd) {}
  DescriptorInputBuffer(const DescriptorInputBuffer&) = delete;
  DescriptorInputBuffer& operator=(const DescriptorInputBuffer&) = delete;

  // Makes the bytes read ahead the next ones the descriptor yields: a file is
  // rewound to them; anything else (a pipe) is replaced by a pipe fed with
  // them and then with the rest of the original input.
  void handOverUnread();

 protected:
  int_type underflow() override;

 private:
  static constexpr int blockSize = 64 * 1024;
  int fd_;
  char block_[blockSize];
};
