// The console colour theme.
#include "settings/theme.h"

#include <algorithm>

#include "console/input.h"
#include "platform/file_system.h"

namespace {
constexpr std::string_view colourCommandPrefix = "color ";
// A colour command and a line end fit many times over; anything longer is
// not one and is not worth reading.
constexpr std::size_t themeFileLimit = 64;
constexpr int changeAnswer = 1;

std::string withoutOneLineEnd(std::string text) {
  if (text.ends_with("\r\n"))
    text.resize(text.size() - 2);
  else if (text.ends_with('\n'))
    text.pop_back();
  return text;
}

const ColourName* findColour(std::string_view name) {
  auto found = std::find_if(colourTable.begin(), colourTable.end(),
                            [name](const ColourName& colour) { return colour.name == name; });
  return found == colourTable.end() ? nullptr : &*found;
}

void applyAndSaveTheme(Platform& platform, std::string_view command) {
  applyColourCommand(platform, command);
  if (!replaceWholeFile(platform.files(), themeFileName, command).isOk())
    platform.reportError(themeSaveFailedMessage);
}

// Reads a colour name as a whole line; nothing once input has ended.
bool readColourName(Console& console, std::string_view question, std::string& name) {
  console.out << question << std::endl << inputPrompt;
  if (!readLine(console.in, name))
    return false;
  console.out << std::endl;
  return true;
}

void changeTheme(Console& console) {
  std::string background;
  std::string text;
  if (!readColourName(console, "Inserisci il nome del colore del background", background) ||
      !readColourName(console, "Ora quello del carattere", text))
    return;
  std::string command = buildColourCommand(background, text);
  if (!command.empty()) {
    applyAndSaveTheme(console.platform, command);
    return;
  }
  if (background == "bianco") {
    console.out << std::endl
                << "Errore nella combinazione. Non puoi usare il bianco per sfondo" << std::endl
                << std::endl;
    return;
  }
  console.out << std::endl << "Errore nella combinazione." << std::endl << std::endl;
}
}  // namespace

bool isColourName(std::string_view text) { return findColour(text) != nullptr; }

std::string colourDigit(std::string_view name) {
  const ColourName* colour = findColour(name);
  return colour ? std::string(1, colour->digit) : std::string();
}

std::string buildColourCommand(std::string_view background, std::string_view text) {
  if (!isColourName(background) || !isColourName(text))
    return {};
  return std::string(colourCommandPrefix) + colourDigit(background) + colourDigit(text);
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

std::string loadSavedColourCommand(FileSystem& files) {
  Result<std::string> text = readWholeFile(files, themeFileName, themeFileLimit);
  if (!text.isOk())
    return {};
  std::string command = withoutOneLineEnd(*text);
  return isColourCommand(command) ? command : std::string();
}

void runThemeDialogue(Console& console) {
  console.out << std::endl << "Vuoi cambiare tema(1) o resettarlo(0)?" << std::endl << inputPrompt;
  int answer = 0;
  // An answer that is not a number changes nothing; the loop drops the rest
  // of the line.
  if (!(console.in >> answer))
    return;
  if (answer == changeAnswer) {
    console.out << std::endl;
    discardOneChar(console.in);
    changeTheme(console);
    return;
  }
  applyAndSaveTheme(console.platform, resetColourCommand);
  discardOneChar(console.in);
}
