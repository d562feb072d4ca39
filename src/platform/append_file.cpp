// Writing to a named file without ever waiting on it.
#include "platform/append_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <optional>

#ifdef _WIN32
#include <io.h>

#include "platform/native_path.h"
#else
#include <unistd.h>

#include "platform/posix/posix_descriptor.h"
#include "platform/posix/posix_links.h"
#endif

namespace {

#ifdef _WIN32
int openForWriting(const std::string& path, int mode) {
  int handle = _wopen(nativePath(path).c_str(),
                      _O_WRONLY | _O_CREAT | _O_TEXT | _O_NOINHERIT | mode, _S_IREAD | _S_IWRITE);
  struct _stat64 status {};
  if (handle >= 0 && (_fstat64(handle, &status) != 0 || !(status.st_mode & _S_IFREG))) {
    _close(handle);
    return -1;
  }
  return handle;
}

bool emptyFile(int handle) { return _chsize_s(handle, 0) == 0; }

bool writeAll(int handle, std::string_view text) {
  return _write(handle, text.data(), static_cast<unsigned>(text.size())) ==
         static_cast<int>(text.size());
}

bool closeHandle(int handle) { return _close(handle) == 0; }

constexpr int appendMode = _O_APPEND;
#else
// Only a regular file is written: a FIFO would block the program once its
// reader stops reading, and a device is nobody's log. A link is followed only
// where the kernel would, and the name it leads to is opened without
// following another one planted meanwhile.
int openForWriting(const std::string& path, int mode) {
  std::optional<std::string> target = followPermittedLinks(path);
  if (!target)
    return -1;
  // A FIFO without a reader fails at once instead of blocking the program.
  int handle = openWithoutWaiting(target->c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | mode, 0666);
  struct stat status {};
  if (handle >= 0 && (fstat(handle, &status) != 0 || !S_ISREG(status.st_mode))) {
    ::close(handle);
    return -1;
  }
  return handle;
}

bool emptyFile(int handle) { return ftruncate(handle, 0) == 0; }

bool writeAll(int handle, std::string_view text) {
  return ::writeAll(handle, text.data(), text.size());
}

bool closeHandle(int handle) { return ::close(handle) == 0; }

constexpr int appendMode = O_APPEND;
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
  // Opened first and emptied once known to be a regular file: truncating on
  // open would reach whatever the name turned out to be.
  int handle = openForWriting(path, 0);
  if (handle < 0)
    return false;
  bool emptied = emptyFile(handle);
  bool closed = closeHandle(handle);
  return emptied && closed;
}
