// Writing to a named file without ever waiting on it: a FIFO with no reader
// is refused at once instead of blocking the program, and every failure
// (a directory in the file's place, a full disk) is reported to the caller.
#pragma once

#include <string>
#include <string_view>

// How a line of a text-mode file ends on disk.
#ifdef _WIN32
inline constexpr std::string_view textFileLineEnd = "\r\n";
#else
inline constexpr std::string_view textFileLineEnd = "\n";
#endif

// Appends `text` to `path`, created when absent, in text mode (line ends
// become CR LF on Windows). False when it was not all written.
bool appendToFile(const std::string& path, std::string_view text);

// Leaves `path` empty, created when absent. False when that failed.
bool truncateFile(const std::string& path);
