// Reading a whole file through one rule shared by every reader: only a
// regular file is read, and never more than the caller allows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The whole content of `fileName`, in binary, line ends included. Nothing
// when the file cannot be read: absent, unreadable, not a regular file (a
// directory, a FIFO, a device), a read error, or longer than `limit` bytes.
std::optional<std::string> readWholeFile(const std::string& fileName, std::size_t limit);

// Drops the CR of every CR LF pair, as reading in text mode does on Windows.
std::string foldLineEnds(std::string text);
