// A file opened for reading only when it is a regular file. Directories,
// FIFOs, devices and unreadable files are refused at once: opening a FIFO
// must not wait for a writer, and a device such as /dev/zero never ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // False, leaving the file closed, unless `path` names a readable regular
  // file (links followed).
  bool open(const std::string& path);
  bool isOpen() const { return handle_ >= 0; }
  void close();

  // Reads up to `capacity` bytes, in binary, into `buffer`: the count read,
  // 0 at the end of the file, -1 after a read error.
  std::ptrdiff_t read(char* buffer, std::size_t capacity);

  // The size the file had when it was opened.
  std::uint64_t size() const { return size_; }

 private:
  int handle_ = -1;
  std::uint64_t size_ = 0;
};
