// The function history as the recall list of the command prompt: the lines
// of earlier runs come back with the up arrow at a terminal.
#pragma once

#include <cstddef>

#include "platform/platform.h"

// At most this many of the latest lines are offered.
inline constexpr std::size_t recalledHistoryLines = 1000;
// A larger file is not read for recall: a person types far less.
inline constexpr std::size_t recalledHistoryFileLimit = 4 * 1024 * 1024;

// Hands the latest lines of the history file, oldest first, to `platform`.
void offerHistoryForRecall(Platform& platform);
