// The console colour theme.
#include "settings/theme.h"

#include "console/file_reading.h"

namespace {
constexpr std::string_view colourCommandPrefix = "color ";
// A colour command and a line end fit many times over; anything longer is
// not one and is not worth reading.
constexpr std::size_t themeFileLimit = 64;

std::string withoutOneLineEnd(std::string text) {
  if (text.ends_with("\r\n"))
    text.resize(text.size() - 2);
  else if (text.ends_with('\n'))
    text.pop_back();
  return text;
}
}  // namespace

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

std::string loadSavedColourCommand() {
  std::optional<std::string> text = readWholeFile(themeFileName, themeFileLimit);
  if (!text)
    return {};
  std::string command = withoutOneLineEnd(*text);
  return isColourCommand(command) ? command : std::string();
}
