// A FileSystem held in memory, for tests and fuzzing: regular files,
// directories and special files (a FIFO, a device) by name, and failures
// that can be arranged (a full disk, a name closed to us).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/file_system.h"

class MemoryFileSystem : public FileSystem {
 public:
  void writeFile(const std::string& path, std::string content);
  void makeDirectory(const std::string& path);
  // A FIFO or a device: something by that name that is not a regular file.
  void makeSpecial(const std::string& path);
  // The content of the regular file `path`, or nothing.
  std::optional<std::string> content(const std::string& path) const;

  // Every write fails, as on a full disk, once `bytes` more bytes have been
  // written.
  void failWritesAfter(std::size_t bytes) { writeBudget_ = bytes; }
  // Opening, creating or changing `path` is refused, as for a file closed to
  // us or a planted link.
  void refuse(const std::string& path) { refused_.insert(path); }
  // Every finished file fails to take its name, as when the name became a
  // directory while the file was written.
  void failCommits() { commitsFail_ = true; }
  bool commitsFail() const { return commitsFail_; }

  Result<std::unique_ptr<ReadableFile>> openForReading(const std::string& path) override;
  Result<std::unique_ptr<ReplacementFile>> startReplacing(const std::string& path) override;
  Status appendText(const std::string& path, std::string_view text) override;
  Status truncate(const std::string& path) override;
  Status remove(const std::string& path) override;
  FileStatus status(const std::string& path) override;

  // How appendText ends a line: "\r\n" plays a Windows disk.
  void endLinesWith(std::string lineEnd) { lineEnd_ = std::move(lineEnd); }
  std::string_view textLineEnd() const override { return lineEnd_; }

  // Spends `size` bytes of the write budget; false when the disk is full.
  bool spend(std::size_t size);
  void store(const std::string& path, std::string content);

 private:
  // A file's content is shared with those reading it: what is appended or
  // truncated shows to them, as on disk, while a replaced file gets new
  // content and leaves them the old.
  struct Node {
    FileKind kind = FileKind::regular;
    std::shared_ptr<std::string> content = std::make_shared<std::string>();
  };

  // Why `path` cannot be written as a regular file, or ok.
  Status checkWritable(const std::string& path) const;

  std::map<std::string, Node> nodes_;
  std::set<std::string> refused_;
  std::optional<std::size_t> writeBudget_;
  std::string lineEnd_ = "\n";
  bool commitsFail_ = false;
};
