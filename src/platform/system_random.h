// The system's secure random source, one implementation per system.
#pragma once

#include <span>
#include <string_view>

#include "platform/status.h"

// Fills every byte of `bytes` from the system's secure random source
// (getrandom on Linux, getentropy on other POSIX systems, rand_s on
// Windows); a failure when the source cannot give them all.
Status fillFromSystemRandom(std::span<unsigned char> bytes);

inline constexpr std::string_view systemRandomFailedMessage =
    "the system's secure random source failed";
