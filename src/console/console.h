// The console a command talks through: where its answers come from, where its
// dialogue goes, and the operating-system effects it may ask for.
#pragma once

#include <istream>
#include <ostream>

#include "platform/platform.h"

struct Console {
  std::istream& in;
  std::ostream& out;
  Platform& platform;
};
