// The command keys: what each runs, how the command list names it, and what
// the loop does once it has run.
#pragma once

#include <span>
#include <string_view>

#include "console/console.h"

using CommandHandler = void (*)(Console&);

// What the loop does once a command has run.
enum class AfterCommand { goOn, endProgram, restart };

struct CommandEntry {
  char key;
  std::string_view label;  // Empty: not shown by the command list.
  CommandHandler handler;
  AfterCommand after;
};

std::span<const CommandEntry> commandTable();

// The entry for `key`, or null when `key` is not a command.
const CommandEntry* findCommand(char key);
