// A file opened for reading only when it is a regular file.
#include "platform/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>

#include <filesystem>

#include "platform/native_path.h"
#else
#include <unistd.h>

#include "platform/posix/posix_descriptor.h"
#endif

namespace {

#ifdef _WIN32
int openForReading(const std::string& path) {
  // Named pipes and devices are not regular files; refuse them before
  // opening, since opening may wait.
  std::filesystem::path name = nativePath(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error))
    return -1;
  return _wopen(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

bool isRegular(int handle, std::uint64_t& size) {
  struct _stat64 status {};
  if (_fstat64(handle, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG)
    return false;
  size = static_cast<std::uint64_t>(status.st_size);
  return true;
}

std::ptrdiff_t readSome(int handle, char* buffer, std::size_t capacity) {
  constexpr std::size_t largestRead = 1u << 30;
  unsigned count = static_cast<unsigned>(capacity < largestRead ? capacity : largestRead);
  return _read(handle, buffer, count);
}

void closeHandle(int handle) { _close(handle); }
#else
int openForReading(const std::string& path) {
  // A FIFO without a writer opens at once; it is then refused as not regular.
  return openWithoutWaiting(path.c_str(), O_RDONLY);
}

bool isRegular(int handle, std::uint64_t& size) {
  struct stat status {};
  if (fstat(handle, &status) != 0 || !S_ISREG(status.st_mode))
    return false;
  size = static_cast<std::uint64_t>(status.st_size);
  return true;
}

std::ptrdiff_t readSome(int handle, char* buffer, std::size_t capacity) {
  for (;;) {
    ssize_t got = ::read(handle, buffer, capacity);
    if (got >= 0 || errno != EINTR)
      return got;
  }
}

void closeHandle(int handle) { ::close(handle); }
#endif

}  // namespace

InputFile::~InputFile() { close(); }

bool InputFile::open(const std::string& path) {
  close();
  int handle = openForReading(path);
  if (handle < 0)
    return false;
  std::uint64_t size = 0;
  if (!isRegular(handle, size)) {
    closeHandle(handle);
    return false;
  }
  handle_ = handle;
  size_ = size;
  return true;
}

void InputFile::close() {
  if (handle_ < 0)
    return;
  closeHandle(handle_);
  handle_ = -1;
  size_ = 0;
}

std::ptrdiff_t InputFile::read(char* buffer, std::size_t capacity) {
  if (handle_ < 0)
    return -1;
  return readSome(handle_, buffer, capacity);
}
