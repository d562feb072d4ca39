// Running a command's dialogue in-process.
#include "dialogue.h"

#include <fstream>
#include <iterator>
#include <random>

std::string Dialogue::pending() {
  in.clear();
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string runDialogue(void (*command)(Console&), std::string typed) {
  Dialogue dialogue(std::move(typed));
  command(dialogue.console);
  return dialogue.out.str();
}

ScratchDirectory::ScratchDirectory() : previous_(std::filesystem::current_path()) {
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
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string asTextFile(const std::string& text) {
#ifdef _WIN32
  std::string file;
  for (char byte : text) {
    if (byte == '\n')
      file += '\r';
    file += byte;
  }
  return file;
#else
  return text;
#endif
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream file(path, std::ios::binary);
  file << content;
}
