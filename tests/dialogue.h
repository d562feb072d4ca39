// Running a command's dialogue in-process: typed input in, printed text and
// requested effects out.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>

#include "console/console.h"
#include "platform/recording_platform.h"

struct Dialogue {
  explicit Dialogue(std::string typed) : in(std::move(typed)) {}

  // What remains unread of the typed input.
  std::string pending();

  std::istringstream in;
  std::ostringstream out;
  RecordingPlatform platform;
  Console console{in, out, platform};
};

// Runs `command` on `typed` and returns what it printed.
std::string runDialogue(void (*command)(Console&), std::string typed);

// Gives each test a fresh, empty working directory, removed afterwards.
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
// `text` as a file written in text mode holds it: on Windows each LF is CR LF.
std::string asTextFile(const std::string& text);
void writeFile(const std::filesystem::path& path, const std::string& content);
