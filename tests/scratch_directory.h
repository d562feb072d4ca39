// A fresh, empty working directory for the tests of the system file systems,
// the only tests that touch the disk.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// Changes into a new temporary directory, and back and removes it at the end.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::random_device seed;
    path_ /= "kalvex-test-" + std::to_string(seed()) + std::to_string(seed());
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~ScratchDirectory() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

 private:
  std::filesystem::path previous_ = std::filesystem::current_path();
  std::filesystem::path path_ = std::filesystem::temp_directory_path();
};

inline std::string fileContent(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}
