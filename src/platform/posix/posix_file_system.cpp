// Files on a POSIX system.
//
// A replaced file is written under a short temporary name beside its final
// name and moved over that name only once complete, so a failure part-way
// never leaves half a file behind and the file being replaced may be the
// very file being read. Nothing is changed by name once created: the new
// file is readable by the owner alone, given its final owner and mode
// through its descriptor, and only then moved, so nobody who can write the
// folder can swap it for a link and have those changes land elsewhere.
#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/posix/posix_descriptor.h"
#include "platform/posix/posix_links.h"

namespace {

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

Status refusedLink(const std::string& path) {
  return Status::failure(Status::Code::refused, path + ": collegamento non seguito");
}

// Closes `fd`; false when the system reports a failure only now (some file
// systems report a failed write only when the file is closed).
bool closeHandle(int fd) { return ::close(fd) == 0; }

// The size of `fd` when it is a regular file.
std::optional<std::uint64_t> regularSize(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
    return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

class PosixReadableFile : public ReadableFile {
 public:
  PosixReadableFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~PosixReadableFile() override { closeHandle(fd_); }
  PosixReadableFile(const PosixReadableFile&) = delete;
  PosixReadableFile& operator=(const PosixReadableFile&) = delete;

  Result<std::size_t> read(char* buffer, std::size_t capacity) override {
    ssize_t got = readSome(fd_, buffer, capacity);
    if (got < 0)
      return fileFailure("", errno);
    return static_cast<std::size_t>(got);
  }
  std::uint64_t size() const override { return size_; }

 private:
  int fd_;
  std::uint64_t size_;
};

mode_t currentUmask() {
  mode_t mask = umask(0);
  umask(mask);
  return mask;
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class PosixReplacementFile : public ReplacementFile {
 public:
  PosixReplacementFile(int fd, std::string temporaryPath, std::string finalPath, bool replacing)
      : fd_(fd),
        temporaryPath_(std::move(temporaryPath)),
        finalPath_(std::move(finalPath)),
        replacing_(replacing) {}
  ~PosixReplacementFile() override { discard(); }
  PosixReplacementFile(const PosixReplacementFile&) = delete;
  PosixReplacementFile& operator=(const PosixReplacementFile&) = delete;

  Status write(std::string_view data) override {
    if (fd_ < 0)
      return fileFailure(finalPath_, EBADF);
    if (!writeAll(fd_, data.data(), data.size()))
      return fileFailure(finalPath_, errno);
    return Status::ok();
  }

  Status commit() override {
    if (fd_ < 0)
      return fileFailure(finalPath_, EBADF);
    // When a file is replaced, its old content is the only copy until the
    // new one is safely on disk; a new name has nothing to lose.
    if ((replacing_ && fsync(fd_) != 0) || !giveFinalMode())
      return failAndDiscard();
    int fd = fd_;
    fd_ = -1;
    if (!closeHandle(fd))
      return failAndDiscard();
    if (std::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0)
      return failAndDiscard();
    forgetUnfinished();
    temporaryPath_.clear();
    return Status::ok();
  }

 private:
  // The replaced file's mode, or a new file's usual one, given through the
  // descriptor.
  bool giveFinalMode() {
    mode_t mode = 0666 & ~currentUmask();
    if (replacing_) {
      struct stat status {};
      if (stat(finalPath_.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
      mode = status.st_mode & 07777;
    }
    return fchmod(fd_, mode) == 0;
  }

  Status failAndDiscard() {
    int error = errno;
    discard();
    return fileFailure(finalPath_, error);
  }

  void discard() {
    if (fd_ >= 0) {
      closeHandle(fd_);
      fd_ = -1;
    }
    if (!temporaryPath_.empty()) {
      forgetUnfinished();
      unlink(temporaryPath_.c_str());
      temporaryPath_.clear();
    }
  }

  int fd_;
  std::string temporaryPath_;
  std::string finalPath_;
  bool replacing_;
};

// Only root can give a file away; for anyone else the new file stays
// theirs, as it would have been had they written the old one afresh.
void keepOwner(int fd, const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return;
  [[maybe_unused]] int ignored = fchown(fd, status.st_uid, status.st_gid);
}

// Only a regular file is written: a FIFO would block the program once its
// reader stops reading, and a device is nobody's log. A link is followed
// only where the kernel would, and the name it leads to is opened without
// following another one planted meanwhile.
Result<int> openForChanging(const std::string& path, int mode) {
  std::optional<std::string> target = followPermittedLinks(path);
  if (!target)
    return refusedLink(path);
  // A FIFO without a reader fails at once instead of blocking the program.
  int fd = openWithoutWaiting(target->c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | mode, 0666);
  if (fd < 0)
    return fileFailure(path, errno);
  if (!regularSize(fd)) {
    closeHandle(fd);
    return notRegularFile(path);
  }
  return fd;
}

}  // namespace

void removeUnfinishedOutputFile() {
  if (unfinishedKnown) {
    unfinishedKnown = 0;
    unlink(unfinishedPath);
  }
}

Result<std::unique_ptr<ReadableFile>> PosixFileSystem::openForReading(const std::string& path) {
  // A FIFO without a writer opens at once; it is then refused as not
  // regular.
  int fd = openWithoutWaiting(path.c_str(), O_RDONLY);
  if (fd < 0)
    return fileFailure(path, errno);
  std::optional<std::uint64_t> size = regularSize(fd);
  if (!size) {
    closeHandle(fd);
    return notRegularFile(path);
  }
  return std::unique_ptr<ReadableFile>(std::make_unique<PosixReadableFile>(fd, *size));
}

Result<std::unique_ptr<ReplacementFile>> PosixFileSystem::startReplacing(const std::string& path) {
  if (path.empty())
    return fileFailure(path, ENOENT);
  std::optional<std::string> resolved = followPermittedLinks(path);
  if (!resolved)
    return refusedLink(path);
  std::string finalPath = std::move(*resolved);
  // Any link has been followed above; one planted since is not followed.
  struct stat existing {};
  bool replacing = lstat(finalPath.c_str(), &existing) == 0;
  if (!replacing && errno != ENOENT)
    return fileFailure(path, errno);
  // Moving a file over a device or FIFO would remove it, not write to it.
  if (replacing && !S_ISREG(existing.st_mode))
    return notRegularFile(path);
  if (replacing && access(finalPath.c_str(), W_OK) != 0)
    return fileFailure(path, errno);
  std::string folder = folderOf(finalPath);
  for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
    std::string temporaryPath = temporaryNameIn(folder);
    // Readable by the owner alone until it is complete: the text being
    // written may be a secret deciphered from a private file.
    int fd = ::open(temporaryPath.c_str(),
                    O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0600);
    if (fd < 0 && errno == EEXIST)
      continue;
    if (fd < 0)
      return fileFailure(path, errno);
    // Only once it is ours: a signal must never remove somebody else's file.
    rememberUnfinished(temporaryPath);
    if (replacing)
      keepOwner(fd, finalPath);
    return std::unique_ptr<ReplacementFile>(std::make_unique<PosixReplacementFile>(
        fd, std::move(temporaryPath), std::move(finalPath), replacing));
  }
  return fileFailure(path, EEXIST);
}

Status PosixFileSystem::appendText(const std::string& path, std::string_view text) {
  Result<int> opened = openForChanging(path, O_APPEND);
  if (!opened.isOk())
    return opened.status();
  bool written = writeAll(*opened, text.data(), text.size());
  int error = errno;
  bool closed = closeHandle(*opened);
  if (!written || !closed)
    return fileFailure(path, written ? errno : error);
  return Status::ok();
}

Status PosixFileSystem::truncate(const std::string& path) {
  // Opened first and emptied once known to be a regular file: truncating on
  // open would reach whatever the name turned out to be.
  Result<int> opened = openForChanging(path, 0);
  if (!opened.isOk())
    return opened.status();
  bool emptied = ftruncate(*opened, 0) == 0;
  int error = errno;
  bool closed = closeHandle(*opened);
  if (!emptied || !closed)
    return fileFailure(path, emptied ? errno : error);
  return Status::ok();
}

Status PosixFileSystem::remove(const std::string& path) {
  if (unlink(path.c_str()) != 0)
    return fileFailure(path, errno);
  return Status::ok();
}

FileStatus PosixFileSystem::status(const std::string& path) {
  struct stat found {};
  if (stat(path.c_str(), &found) != 0)
    return {};
  if (S_ISDIR(found.st_mode))
    return {FileKind::directory, 0};
  if (!S_ISREG(found.st_mode))
    return {FileKind::other, 0};
  return {FileKind::regular, static_cast<std::uint64_t>(found.st_size)};
}
