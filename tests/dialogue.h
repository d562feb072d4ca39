// Running a command's dialogue in-process: typed input in, printed text and
// requested effects out, files in the platform's memory.
#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

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

// Runs `command` on each row's typed text and checks that what it printed ends
// with the row's text.
using DialogueRows = std::initializer_list<std::pair<std::string, std::string>>;
void expectEndings(void (*command)(Console&), DialogueRows rows);
