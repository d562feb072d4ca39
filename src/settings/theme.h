// The console colour theme, saved in color_data.txt as the colour command
// that set it (such as "color 0f").
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

inline constexpr const char* themeFileName = "color_data.txt";

// True when `command` is exactly "color " and two colour digits.
bool isColourCommand(std::string_view command);

// The saved colour command, or empty when color_data.txt holds anything
// else. One trailing line end is allowed, as left by a hand-written file.
std::string loadSavedColourCommand();

// Applies a colour command; any other text is ignored, never handed to a
// shell: the theme file is read from the working directory, whoever wrote it.
void applyColourCommand(Platform& platform, std::string_view command);
