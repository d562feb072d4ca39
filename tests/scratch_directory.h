// A fresh, empty working directory for the tests that must touch the disk:
// those of the system file systems, and readers not yet handed a FileSystem.
#pragma once

#include <filesystem>
#include <string>

// Changes into a new temporary directory, and back and removes it at the end.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

std::string fileContent(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& content);
