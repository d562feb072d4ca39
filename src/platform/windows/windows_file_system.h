// Files on Windows: names reached through UTF-16, files nobody else may
// open while they are written, text appended with CR LF line ends.
#pragma once

#include "platform/file_system.h"

class WindowsFileSystem : public FileSystem {
 public:
  Result<std::unique_ptr<ReadableFile>> openForReading(const std::string& path) override;
  Result<std::unique_ptr<ReplacementFile>> startReplacing(const std::string& path) override;
  Status appendText(const std::string& path, std::string_view text) override;
  Status truncate(const std::string& path) override;
  Status remove(const std::string& path) override;
  FileStatus status(const std::string& path) override;
  std::string_view textLineEnd() const override { return "\r\n"; }
};
