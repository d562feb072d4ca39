// The console colour theme.
#include "settings/theme.h"

namespace {
constexpr std::string_view colourCommandPrefix = "color ";
}

bool isColourCommand(std::string_view command) {
  return command.size() == colourCommandPrefix.size() + 2 &&
         command.starts_with(colourCommandPrefix) && isColourDigit(command[6]) &&
         isColourDigit(command[7]);
}

void applyColourCommand(Platform& platform, std::string_view command) {
  if (!isColourCommand(command))
    return;
  platform.applyColours(command[6], command[7]);
}
