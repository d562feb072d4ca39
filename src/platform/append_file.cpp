// Writing to a named file without ever waiting on it.
#include "platform/append_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>

#include "platform/native_path.h"
#else
#include <unistd.h>

#include "platform/posix_descriptor.h"
#endif

namespace {

#ifdef _WIN32
int openForWriting(const std::string& path, int mode) {
  return _wopen(nativePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_TEXT | _O_NOINHERIT | mode,
                _S_IREAD | _S_IWRITE);
}

bool writeAll(int handle, std::string_view text) {
  return _write(handle, text.data(), static_cast<unsigned>(text.size())) ==
         static_cast<int>(text.size());
}

bool closeHandle(int handle) { return _close(handle) == 0; }

constexpr int appendMode = _O_APPEND;
constexpr int truncateMode = _O_TRUNC;
#else
int openForWriting(const std::string& path, int mode) {
  // A FIFO without a reader fails at once instead of blocking the program.
  return openWithoutWaiting(path.c_str(), O_WRONLY | O_CREAT | mode, 0666);
}

bool writeAll(int handle, std::string_view text) {
  return ::writeAll(handle, text.data(), text.size());
}

bool closeHandle(int handle) { return ::close(handle) == 0; }

constexpr int appendMode = O_APPEND;
constexpr int truncateMode = O_TRUNC;
#endif

}  // namespace

bool appendToFile(const std::string& path, std::string_view text) {
  int handle = openForWriting(path, appendMode);
  if (handle < 0)
    return false;
  bool written = writeAll(handle, text);
  // Some file systems report a failed write only when the file is closed.
  bool closed = closeHandle(handle);
  return written && closed;
}

bool truncateFile(const std::string& path) {
  int handle = openForWriting(path, truncateMode);
  if (handle < 0)
    return false;
  return closeHandle(handle);
}
