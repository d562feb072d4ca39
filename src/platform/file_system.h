// Every file the program touches goes through a FileSystem: the host's, or
// an in-memory one for tests. Its rules are the program's promises about
// files: only regular files are read, written or truncated, nothing waits on
// a FIFO, a replaced file is replaced whole or not at all, and a link
// planted by someone else is not followed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"

// A regular file open for reading, in binary.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Up to `capacity` bytes into `buffer`: the count read, 0 at the end.
  virtual Result<std::size_t> read(char* buffer, std::size_t capacity) = 0;
  // The size the file had when it was opened.
  virtual std::uint64_t size() const = 0;
};

// A new file that takes its name only once it is complete. Destroyed
// without a commit, it leaves the name holding whatever it held before.
class ReplacementFile {
 public:
  virtual ~ReplacementFile() = default;
  // Appends all of `data`, in binary.
  virtual Status write(std::string_view data) = 0;
  // Moves the whole new file over its name (a new file gets the usual
  // permissions, a replaced one keeps its own).
  virtual Status commit() = 0;
};

enum class FileKind { missing, regular, directory, other };

struct FileStatus {
  FileKind kind = FileKind::missing;
  std::uint64_t size = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // A readable regular file (links followed): never a directory, FIFO or
  // device, and opening it never waits.
  virtual Result<std::unique_ptr<ReadableFile>> openForReading(const std::string& path) = 0;
  // Starts the file that will replace `path` once committed. The file being
  // replaced may be the very file being read.
  virtual Result<std::unique_ptr<ReplacementFile>> startReplacing(const std::string& path) = 0;
  // Appends `text` to the regular file `path`, created when absent, in text
  // mode: each LF is written as the system ends a line of text.
  virtual Status appendText(const std::string& path, std::string_view text) = 0;
  // Leaves the regular file `path` empty, created when absent.
  virtual Status truncate(const std::string& path) = 0;
  virtual Status remove(const std::string& path) = 0;
  // What `path` names now (links followed).
  virtual FileStatus status(const std::string& path) = 0;
  // How appendText ends a line on disk, for readers that want text back.
  virtual std::string_view textLineEnd() const { return "\n"; }
};

// The failure `error` (an errno value) on `path`, of the kind callers tell
// apart, with the system's own words for it.
Status fileFailure(const std::string& path, int error);

// The failure for a name that is not a regular file (a directory, a FIFO, a
// device).
Status notRegularFile(const std::string& path);

// A fresh name for a replacement file in `folder` (empty, or ending in a
// separator). Short, so that any name the file system accepts can be
// written: the temporary name does not grow with the final one.
std::string temporaryNameIn(const std::string& folder);

// How many fresh temporary names a replacement tries before giving up.
inline constexpr int temporaryNameAttempts = 100;

// The whole content of `path`, in binary, line ends included; a failure when
// it cannot be read or holds more than `limit` bytes (Code::tooLarge), even
// if it grows past the limit after it was opened.
Result<std::string> readWholeFile(FileSystem& files, const std::string& path, std::size_t limit);

// Replaces the content of `path` (created when absent) with `content`, byte
// for byte; on failure the file keeps what it held.
Status replaceWholeFile(FileSystem& files, const std::string& path, std::string_view content);
