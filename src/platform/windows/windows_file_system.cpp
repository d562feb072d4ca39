// Files on Windows.
//
// A replaced file is written under a short temporary name beside its final
// name and moved over that name only once complete, so a failure part-way
// never leaves half a file behind and the file being replaced may be the
// very file being read.
#include "platform/windows/windows_file_system.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/native_path.h"
#include "platform/windows/windows_api.h"

namespace fs = std::filesystem;

namespace {

Status writeFailure(const std::string& path) {
  DWORD error = GetLastError();
  return fileFailure(path,
                     error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? ENOSPC : EIO);
}

bool closeHandle(int handle) { return _close(handle) == 0; }

bool writeAll(int handle, std::string_view data) {
  return writeAllToHandle(reinterpret_cast<HANDLE>(_get_osfhandle(handle)), data.data(),
                          data.size());
}

std::optional<std::uint64_t> regularSize(int handle) {
  struct _stat64 status {};
  if (_fstat64(handle, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG)
    return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

class WindowsReadableFile : public ReadableFile {
 public:
  WindowsReadableFile(int handle, std::uint64_t size) : handle_(handle), size_(size) {}
  ~WindowsReadableFile() override { closeHandle(handle_); }
  WindowsReadableFile(const WindowsReadableFile&) = delete;
  WindowsReadableFile& operator=(const WindowsReadableFile&) = delete;

  Result<std::size_t> read(char* buffer, std::size_t capacity) override {
    constexpr std::size_t largestRead = 1u << 30;
    unsigned count = static_cast<unsigned>(capacity < largestRead ? capacity : largestRead);
    int got = _read(handle_, buffer, count);
    if (got < 0)
      return fileFailure("", errno);
    return static_cast<std::size_t>(got);
  }
  std::uint64_t size() const override { return size_; }

 private:
  int handle_;
  std::uint64_t size_;
};

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class WindowsReplacementFile : public ReplacementFile {
 public:
  WindowsReplacementFile(int handle, std::string temporaryPath, std::string finalPath,
                         bool replacing)
      : handle_(handle),
        temporaryPath_(std::move(temporaryPath)),
        finalPath_(std::move(finalPath)),
        replacing_(replacing) {}
  ~WindowsReplacementFile() override { discard(); }
  WindowsReplacementFile(const WindowsReplacementFile&) = delete;
  WindowsReplacementFile& operator=(const WindowsReplacementFile&) = delete;

  Status write(std::string_view data) override {
    if (handle_ < 0)
      return fileFailure(finalPath_, EBADF);
    if (!writeAll(handle_, data))
      return writeFailure(finalPath_);
    return Status::ok();
  }

  Status commit() override {
    if (handle_ < 0)
      return fileFailure(finalPath_, EBADF);
    // When a file is replaced, its old content is the only copy until the
    // new one is safely on disk; a new name has nothing to lose. A file
    // that could be replaced was writable, which is all Windows keeps of
    // its mode, and Windows files have no owner a program could hand on.
    if (replacing_ && _commit(handle_) != 0)
      return failAndDiscard();
    int handle = handle_;
    handle_ = -1;
    if (!closeHandle(handle))
      return failAndDiscard();
    std::error_code error;
    fs::rename(nativePath(temporaryPath_), nativePath(finalPath_), error);
    if (error) {
      discard();
      return fileFailure(finalPath_, EACCES);
    }
    temporaryPath_.clear();
    return Status::ok();
  }

 private:
  Status failAndDiscard() {
    int error = errno;
    discard();
    return fileFailure(finalPath_, error);
  }

  void discard() {
    if (handle_ >= 0) {
      closeHandle(handle_);
      handle_ = -1;
    }
    if (!temporaryPath_.empty()) {
      _wunlink(nativePath(temporaryPath_).c_str());
      temporaryPath_.clear();
    }
  }

  int handle_;
  std::string temporaryPath_;
  std::string finalPath_;
  bool replacing_;
};

// Only a regular file is written.
Result<int> openForChanging(const std::string& path, int mode) {
  int handle = _wopen(nativePath(path).c_str(),
                      _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | mode, _S_IREAD | _S_IWRITE);
  if (handle < 0)
    return fileFailure(path, errno);
  if (!regularSize(handle)) {
    closeHandle(handle);
    return notRegularFile(path);
  }
  return handle;
}

// `text` with each LF written as CR LF, as a text-mode file holds it.
std::string withCarriageReturns(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (char c : text) {
    if (c == '\n')
      lines += '\r';
    lines += c;
  }
  return lines;
}

}  // namespace

Result<std::unique_ptr<ReadableFile>> WindowsFileSystem::openForReading(const std::string& path) {
  // Named pipes and devices are not regular files; refuse them before
  // opening, since opening may wait.
  fs::path name = nativePath(path);
  std::error_code error;
  if (!fs::is_regular_file(name, error))
    return fs::exists(name, error) ? notRegularFile(path) : fileFailure(path, ENOENT);
  int handle = _wopen(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (handle < 0)
    return fileFailure(path, errno);
  std::optional<std::uint64_t> size = regularSize(handle);
  if (!size) {
    closeHandle(handle);
    return notRegularFile(path);
  }
  return std::unique_ptr<ReadableFile>(std::make_unique<WindowsReadableFile>(handle, *size));
}

Result<std::unique_ptr<ReplacementFile>> WindowsFileSystem::startReplacing(
    const std::string& path) {
  if (path.empty())
    return fileFailure(path, ENOENT);
  std::error_code error;
  fs::file_status existing = fs::status(nativePath(path), error);
  bool replacing = fs::exists(existing);
  if (error && !replacing && existing.type() != fs::file_type::not_found)
    return fileFailure(path, EACCES);
  // Moving a file over a device or pipe would remove it, not write to it.
  if (replacing && !fs::is_regular_file(existing))
    return notRegularFile(path);
  if (replacing && _waccess(nativePath(path).c_str(), 2) != 0)
    return fileFailure(path, errno);
  std::string folder = folderOf(path);
  for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
    std::string temporaryPath = temporaryNameIn(folder);
    // Nobody else may open the file while it is being written.
    int handle = _wsopen(nativePath(temporaryPath).c_str(),
                         _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYRW,
                         _S_IREAD | _S_IWRITE);
    if (handle < 0 && errno == EEXIST)
      continue;
    if (handle < 0)
      return fileFailure(path, errno);
    return std::unique_ptr<ReplacementFile>(std::make_unique<WindowsReplacementFile>(
        handle, std::move(temporaryPath), path, replacing));
  }
  return fileFailure(path, EEXIST);
}

Status WindowsFileSystem::appendText(const std::string& path, std::string_view text) {
  Result<int> opened = openForChanging(path, _O_APPEND);
  if (!opened.isOk())
    return opened.status();
  // Written through the system handle, which knows nothing of the C
  // library's append mode: the end is sought first.
  bool written =
      _lseeki64(*opened, 0, SEEK_END) >= 0 && writeAll(*opened, withCarriageReturns(text));
  Status failure = written ? Status::ok() : writeFailure(path);
  if (!closeHandle(*opened) && written)
    return fileFailure(path, errno);
  return failure;
}

Status WindowsFileSystem::truncate(const std::string& path) {
  // Opened first and emptied once known to be a regular file.
  Result<int> opened = openForChanging(path, 0);
  if (!opened.isOk())
    return opened.status();
  bool emptied = _chsize_s(*opened, 0) == 0;
  int error = errno;
  bool closed = closeHandle(*opened);
  if (!emptied || !closed)
    return fileFailure(path, emptied ? errno : error);
  return Status::ok();
}

Status WindowsFileSystem::remove(const std::string& path) {
  if (_wunlink(nativePath(path).c_str()) != 0)
    return fileFailure(path, errno);
  return Status::ok();
}

FileStatus WindowsFileSystem::status(const std::string& path) {
  std::error_code error;
  fs::file_status found = fs::status(nativePath(path), error);
  if (error || !fs::exists(found))
    return {};
  if (fs::is_directory(found))
    return {FileKind::directory, 0};
  if (!fs::is_regular_file(found))
    return {FileKind::other, 0};
  std::uintmax_t size = fs::file_size(nativePath(path), error);
  return {FileKind::regular, error ? 0 : static_cast<std::uint64_t>(size)};
}
