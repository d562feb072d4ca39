// A file written beside its final name and moved over it once complete.
#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

#include "platform/native_path.h"

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>

#include "platform/posix/posix_descriptor.h"
#include "platform/posix/posix_links.h"
#endif

namespace fs = std::filesystem;

namespace {

constexpr int creationAttempts = 100;

// The file being written, where a signal handler can find it. One at a time
// is all the program ever writes.
char unfinishedPath[4096];
volatile std::sig_atomic_t unfinishedKnown = 0;

void rememberUnfinished(const std::string& path) {
  unfinishedKnown = 0;
  if (path.size() >= sizeof unfinishedPath)
    return;
  std::memcpy(unfinishedPath, path.c_str(), path.size() + 1);
  unfinishedKnown = 1;
}

void forgetUnfinished() { unfinishedKnown = 0; }

#ifdef _WIN32
// Nobody else may open the file while it is being written.
int createExclusive(const std::string& path) {
  return _wsopen(nativePath(path).c_str(),
                 _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYRW,
                 _S_IREAD | _S_IWRITE);
}

bool isWritable(const std::string& path) { return _waccess(nativePath(path).c_str(), 2) == 0; }

std::optional<std::string> finalNameFor(const std::string& path) { return path; }

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Windows files have no owner a program could hand on.
void keepOwner(int, const std::string&) {}

// A file that could be replaced was writable, which is all Windows keeps.
bool giveFinalMode(int, const std::string&, bool) { return true; }

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

void removeByName(const char* path) { _wunlink(nativePath(path).c_str()); }
#else
// Readable by the owner alone until it is complete: the text being written
// may be a secret deciphered from a private file.
int createExclusive(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW,
                0600);
}

bool isWritable(const std::string& path) { return access(path.c_str(), W_OK) == 0; }

std::optional<std::string> finalNameFor(const std::string& path) {
  return followPermittedLinks(path);
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Only root can give a file away; for anyone else the new file stays theirs,
// as it would have been had they written the old one afresh.
void keepOwner(int handle, const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return;
  [[maybe_unused]] int ignored = fchown(handle, status.st_uid, status.st_gid);
}

mode_t currentUmask() {
  mode_t mask = umask(0);
  umask(mask);
  return mask;
}

// The replaced file's mode, or a new file's usual one.
bool giveFinalMode(int handle, const std::string& finalPath, bool replacing) {
  mode_t mode = 0666 & ~currentUmask();
  if (replacing) {
    struct stat status {};
    if (stat(finalPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
      return false;
    mode = status.st_mode & 07777;
  }
  return fchmod(handle, mode) == 0;
}

bool syncToDisk(int handle) { return fsync(handle) == 0; }

bool closeHandle(int handle) { return ::close(handle) == 0; }

void removeByName(const char* path) { unlink(path); }
#endif

// Short, so that any name the file system accepts can be written: the
// temporary name does not grow with the final one.
std::string temporaryNameIn(const std::string& folder) {
  std::random_device seed;
  char name[32];
  std::snprintf(name, sizeof name, "kalvex-%08x.tmp", static_cast<unsigned>(seed()));
  return folder + name;
}

}  // namespace

void removeUnfinishedOutputFile() {
  if (unfinishedKnown) {
    unfinishedKnown = 0;
#ifdef _WIN32
    _unlink(unfinishedPath);
#else
    unlink(unfinishedPath);
#endif
  }
}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::open(const std::string& path) {
  discard();
  if (path.empty())
    return false;
  std::optional<std::string> resolved = finalNameFor(path);
  if (!resolved)
    return false;
  std::string finalPath = std::move(*resolved);
  std::error_code error;
#ifdef _WIN32
  fs::file_status existing = fs::status(nativePath(finalPath), error);
#else
  // Any link has been followed above; one planted since is not followed.
  fs::file_status existing = fs::symlink_status(nativePath(finalPath), error);
#endif
  bool replacing = fs::exists(existing);
  if (error && !replacing && existing.type() != fs::file_type::not_found)
    return false;
  // Moving a file over a device or FIFO would remove it, not write to it.
  if (replacing && (!fs::is_regular_file(existing) || !isWritable(finalPath)))
    return false;
  std::string folder = folderOf(finalPath);
  for (int attempt = 0; attempt < creationAttempts; ++attempt) {
    std::string temporaryPath = temporaryNameIn(folder);
    int handle = createExclusive(temporaryPath);
    if (handle < 0 && errno == EEXIST)
      continue;
    if (handle < 0)
      return false;
    // Only once it is ours: a signal must never remove somebody else's file.
    rememberUnfinished(temporaryPath);
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
  if ((replacing_ && !syncToDisk(handle_)) || !giveFinalMode(handle_, finalPath_, replacing_)) {
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
  fs::rename(nativePath(temporaryPath_), nativePath(finalPath_), error);
  if (error) {
    discard();
    return false;
  }
  forgetUnfinished();
  temporaryPath_.clear();
  return true;
}

void OutputFile::discard() {
  if (handle_ >= 0) {
    closeHandle(handle_);
    handle_ = -1;
  }
  if (!temporaryPath_.empty()) {
    forgetUnfinished();
    removeByName(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
}
