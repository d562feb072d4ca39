// Reading files as text: line ends folded as a text-mode read folds them.
#include "console/file_reading.h"

std::string foldLineEnds(std::string text) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      continue;
    text[kept++] = text[i];
  }
  text.resize(kept);
  return text;
}
