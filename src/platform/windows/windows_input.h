// Standard input on Windows, read through a buffer this program controls so
// that a restart can hand what was read ahead, and not yet used, to the new
// instance. Text arrives as every routine expects it: a console is read as
// UTF-16 and turned into UTF-8, a file or pipe is taken byte for byte, and
// CR LF becomes LF in both, as a text-mode stream would make it.
#pragma once

#include <cstddef>
#include <streambuf>
#include <string>

class HandleInputBuffer : public std::streambuf {
 public:
  // `handle` is a Windows HANDLE, kept open by its owner.
  explicit HandleInputBuffer(void* handle);
  HandleInputBuffer(const HandleInputBuffer&) = delete;
  HandleInputBuffer& operator=(const HandleInputBuffer&) = delete;

  bool readsConsole() const { return console_; }

  // The bytes read ahead and not yet used, as they were read (CR LF left
  // whole; UTF-8 for a console). The buffer forgets them.
  std::string takeUnread();

 protected:
  int_type underflow() override;

 private:
  static constexpr std::size_t blockSize = 64 * 1024;

  // Appends the next block of input to `raw_`; false at the end of input.
  bool readBlock();
  bool readConsoleBlock();
  bool readFileBlock();

  void* handle_;
  bool console_;
  // The last block as read, then the same with CR LF folded: the get area.
  std::string raw_;
  std::string folded_;
  // A CR closing a block waits for the next block to see whether LF follows.
  bool carriageHeld_ = false;
  // A high surrogate closing a console read, waiting for its pair.
  wchar_t surrogateHeld_ = 0;
  // Ctrl-Z typed at the console: the end of input for the next read.
  bool consoleEndTyped_ = false;
};
