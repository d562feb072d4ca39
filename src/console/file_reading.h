// Reading files as text: line ends folded as a text-mode read folds them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Drops the CR of every CR LF pair, as reading in text mode does on Windows.
std::string foldLineEnds(std::string text);

// The whole content of `fileName` on the host's file system, or nothing;
// for a reader not yet handed a FileSystem of its own.
std::optional<std::string> readWholeFile(const std::string& fileName, std::size_t limit);
