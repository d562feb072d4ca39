// Files on a POSIX system: descriptors opened without waiting, links
// followed only where the kernel would, and nothing changed by name once
// created.
#pragma once

#include "platform/file_system.h"

class PosixFileSystem : public FileSystem {
 public:
  Result<std::unique_ptr<ReadableFile>> openForReading(const std::string& path) override;
  Result<std::unique_ptr<ReplacementFile>> startReplacing(const std::string& path) override;
  Status appendText(const std::string& path, std::string_view text) override;
  Status truncate(const std::string& path) override;
  Status remove(const std::string& path) override;
  FileStatus status(const std::string& path) override;
};

// Removes the replacement file being written, if any; for a signal handler
// ending the program, so an interrupted run leaves no half-written file
// behind. Only async-signal-safe calls.
void removeUnfinishedOutputFile();
