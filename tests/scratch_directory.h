// A fresh, empty working directory for the tests of the system file systems,
// the only tests that touch the disk.
#pragma once

#include <filesystem>
#include <string>

// Changes into a new temporary directory, and back and removes it at the end.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();

 private:
  std::filesystem::path previous_ = std::filesystem::current_path();
  std::filesystem::path path_;
};

std::string fileContent(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& content);
