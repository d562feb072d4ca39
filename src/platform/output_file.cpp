// A file written beside its final name and moved over it once complete.
#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/native_path.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>

#include "platform/posix_descriptor.h"
#endif

namespace fs = std::filesystem;

namespace {

constexpr int creationAttempts = 100;

#ifdef _WIN32
int createExclusive(const std::string& path) {
  return _wopen(nativePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}

bool isWritable(const std::string& path) { return _waccess(nativePath(path).c_str(), 2) == 0; }

// Windows files have no owner a program could hand on.
void keepOwner(int, const std::string&) {}

bool writeAll(int handle, const char* data, std::size_t size) {
  constexpr std::size_t largestWrite = 1u << 30;
  while (size > 0) {
    unsigned count = static_cast<unsigned>(size < largestWrite ? size : largestWrite);
    int done = _write(handle, data, count);
    if (done <= 0)
      return false;
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return true;
}

bool syncToDisk(int handle) { return _commit(handle) == 0; }

bool closeHandle(int handle) { return _close(handle) == 0; }
#else
int createExclusive(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
}

bool isWritable(const std::string& path) { return access(path.c_str(), W_OK) == 0; }

// Only root can give a file away; for anyone else the new file stays theirs,
// as it would have been had they written the old one afresh.
void keepOwner(int handle, const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return;
  [[maybe_unused]] int ignored = fchown(handle, status.st_uid, status.st_gid);
}

bool syncToDisk(int handle) { return fsync(handle) == 0; }

bool closeHandle(int handle) { return ::close(handle) == 0; }
#endif

// A link is replaced through: the file it names gets the new content and the
// link stays a link.
std::string followLink(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(nativePath(path), error))
    return path;
  fs::path target = fs::canonical(nativePath(path), error);
  return error ? path : utf8Name(target);
}

std::string temporaryNameFor(const std::string& finalPath) {
  std::random_device seed;
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".tmp-%08x", static_cast<unsigned>(seed()));
  return finalPath + suffix;
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

bool OutputFile::open(const std::string& path) {
  discard();
  if (path.empty())
    return false;
  std::string finalPath = followLink(path);
  std::error_code error;
  fs::file_status existing = fs::status(nativePath(finalPath), error);
  bool replacing = fs::exists(existing);
  if (error && !replacing && existing.type() != fs::file_type::not_found)
    return false;
  // Moving a file over a device or FIFO would remove it, not write to it.
  if (replacing && (!fs::is_regular_file(existing) || !isWritable(finalPath)))
    return false;
  for (int attempt = 0; attempt < creationAttempts; ++attempt) {
    std::string temporaryPath = temporaryNameFor(finalPath);
    int handle = createExclusive(temporaryPath);
    if (handle < 0 && errno == EEXIST)
      continue;
    if (handle < 0)
      return false;
    handle_ = handle;
    temporaryPath_ = std::move(temporaryPath);
    finalPath_ = std::move(finalPath);
    replacing_ = replacing;
    if (replacing_)
      keepOwner(handle_, finalPath_);
    return true;
  }
  return false;
}

bool OutputFile::write(const char* data, std::size_t size) {
  return handle_ >= 0 && writeAll(handle_, data, size);
}

bool OutputFile::commit() {
  if (handle_ < 0)
    return false;
  // When a file is replaced, its old content is the only copy until the new
  // one is safely on disk; a new name has nothing to lose.
  if (replacing_ && !syncToDisk(handle_)) {
    discard();
    return false;
  }
  int handle = handle_;
  handle_ = -1;
  if (!closeHandle(handle)) {
    discard();
    return false;
  }
  std::error_code error;
  if (replacing_) {
    fs::perms kept = fs::status(nativePath(finalPath_), error).permissions();
    if (!error)
      fs::permissions(nativePath(temporaryPath_), kept, error);
    if (error) {
      discard();
      return false;
    }
  }
  fs::rename(nativePath(temporaryPath_), nativePath(finalPath_), error);
  if (error) {
    discard();
    return false;
  }
  temporaryPath_.clear();
  return true;
}

void OutputFile::discard() {
  if (handle_ >= 0) {
    closeHandle(handle_);
    handle_ = -1;
  }
  if (!temporaryPath_.empty()) {
    std::error_code ignored;
    fs::remove(nativePath(temporaryPath_), ignored);
    temporaryPath_.clear();
  }
}
