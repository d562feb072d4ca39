// The shared pieces of the fuzz targets.
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path createScratchDirectory() {
  std::random_device seed;
  fs::path path = fs::temp_directory_path() /
                  ("kalvex-fuzz-" + std::to_string(seed()) + "-" + std::to_string(seed()));
  fs::create_directories(path);
  return path;
}

void removeScratchDirectory() {
  std::error_code ignored;
  fs::remove_all(scratchDirectory(), ignored);
}

}  // namespace

void fuzzCheck(bool holds, std::string_view what) {
  if (holds)
    return;
  std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

const fs::path& scratchDirectory() {
  static const fs::path path = [] {
    fs::path created = createScratchDirectory();
    std::atexit(removeScratchDirectory);
    return created;
  }();
  return path;
}

ScratchSession::ScratchSession() : previous_(fs::current_path()) {
  const fs::path& directory = scratchDirectory();
  for (const fs::directory_entry& entry : fs::directory_iterator(directory))
    fs::remove_all(entry.path());
  fs::current_path(directory);
}

ScratchSession::~ScratchSession() {
  fuzzCheck(fs::equivalent(fs::current_path(), scratchDirectory()),
            "the working directory never changes");
  fs::current_path(previous_);
}

void writeScratchFile(const std::string& name, std::string_view content) {
  std::ofstream file(scratchDirectory() / name, std::ios::binary);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  fuzzCheck(static_cast<bool>(file.flush()), "a scratch file can be written");
}

std::string readScratchFile(const std::string& name) {
  std::ifstream file(scratchDirectory() / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
