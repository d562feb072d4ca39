#include "scratch_directory.h"

#include <fstream>
#include <iterator>
#include <random>

ScratchDirectory::ScratchDirectory() {
  std::random_device seed;
  path_ = std::filesystem::temp_directory_path() /
          ("kalvex-test-" + std::to_string(seed()) + std::to_string(seed()));
  std::filesystem::create_directories(path_);
  std::filesystem::current_path(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string fileContent(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}
