// The console colour theme, saved in color_data.txt as the colour command
// that set it (such as "color 0f"), and the dialogue that changes it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "console/console.h"
#include "platform/platform.h"

inline constexpr const char* themeFileName = "color_data.txt";

// The line on standard error when a chosen theme could not be saved; it
// still applies until the program ends.
inline constexpr std::string_view themeSaveFailedMessage =
    "Attenzione: impossibile salvare il tema in color_data.txt.";

// The theme every answer but "change" restores: bright white on black.
inline constexpr std::string_view resetColourCommand = "color 0f";

struct ColourName {
  std::string_view name;
  char digit;  // as the console's colour command takes it
};

using ColourTable = std::array<ColourName, 8>;

// The colours a theme may use. White is missing on purpose: the dialogue
// names it only to refuse it.
inline constexpr ColourTable colourTable = {{
    {"verde", '2'},
    {"blu", '9'},
    {"rosso", 'c'},
    {"viola", '5'},
    {"nero", '0'},
    {"giallo", 'e'},
    {"grigio", '8'},
    {"azzurro", 'b'},
}};

// True when `text` is exactly one of the names of `colourTable`: no case
// folding, no trimming.
bool isColourName(std::string_view text);

// The one-character digit of a colour name; empty for any other text.
std::string colourDigit(std::string_view name);

// "color " and the two names' digits, background first; empty unless both
// are colour names, so a half-built command is never applied or saved.
std::string buildColourCommand(std::string_view background, std::string_view text);

// True when `command` is exactly "color " and two colour digits.
bool isColourCommand(std::string_view command);

// The saved colour command, or empty when color_data.txt holds anything
// else. One trailing line end is allowed, as left by a hand-written file.
std::string loadSavedColourCommand(FileSystem& files);

// Applies a colour command; any other text is ignored, never handed to a
// shell: the theme file is read from the working directory, whoever wrote it.
void applyColourCommand(Platform& platform, std::string_view command);

// Asks whether to change the theme or reset it, applies the answer at once
// and saves it for the next start.
void runThemeDialogue(Console& console);
