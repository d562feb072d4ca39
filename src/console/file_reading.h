// Reading files as text: line ends folded as a text-mode read folds them.
#pragma once

#include <string>

// Drops the CR of every CR LF pair, as reading in text mode does on Windows.
std::string foldLineEnds(std::string text);
