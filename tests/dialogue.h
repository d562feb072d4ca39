// Running a command's dialogue in-process: typed input in, printed text and
// requested effects out, files in the platform's memory.
#pragma once

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

// What `command` printed.
std::string runDialogue(void (*command)(Console&), std::string typed);
