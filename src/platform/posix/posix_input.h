// Standard input on POSIX systems, read in large blocks yet handed whole to a
// process that replaces this one: what was read ahead and not yet used is
// put back where the new copy of the program will find it.
#pragma once

#include <streambuf>

// The environment variable that names, to a restarted copy, the descriptor
// holding the input its predecessor had read ahead.
inline constexpr const char* handedOverInputVariable = "KALVEX_TERMINAL_UNREAD_INPUT_FD";

class DescriptorInputBuffer : public std::streambuf {
 public:
  explicit DescriptorInputBuffer(int fd) : fd_(fd) {}
  ~DescriptorInputBuffer() override;
  DescriptorInputBuffer(const DescriptorInputBuffer&) = delete;
  DescriptorInputBuffer& operator=(const DescriptorInputBuffer&) = delete;

  // Reads `earlierFd` to its end before the descriptor itself: the input a
  // previous copy of the program read ahead and did not use.
  void readFirst(int earlierFd);
  // Takes over the descriptor named by `handedOverInputVariable`, if any,
  // and removes the variable so that no program we start inherits it.
  void adoptHandedOverInput();

  // Makes the bytes read ahead the next ones a program exec'd in our place
  // reads: a file is rewound to them; otherwise they (and what is left of an
  // earlier hand-over) go into an unnamed file inherited through exec and
  // named by `handedOverInputVariable`. No process is left behind. This
  // buffer goes on reading the same bytes should the exec fail. False, with
  // nothing changed, when the bytes cannot be kept.
  bool handOverUnread();

 protected:
  int_type underflow() override;

 private:
  static constexpr int blockSize = 64 * 1024;
  int fd_;
  int earlierFd_ = -1;
  char block_[blockSize];
};
