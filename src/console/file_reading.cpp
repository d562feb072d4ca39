// Reading a whole file through one rule shared by every reader.
#include "console/file_reading.h"

#include "platform/input_file.h"

std::optional<std::string> readWholeFile(const std::string& fileName, std::size_t limit) {
  InputFile file;
  if (!file.open(fileName) || file.size() > limit)
    return std::nullopt;
  std::string text;
  char block[64 * 1024];
  for (;;) {
    std::ptrdiff_t got = file.read(block, sizeof block);
    if (got < 0)
      return std::nullopt;
    if (got == 0)
      return text;
    // The file may have grown since it was opened.
    if (text.size() + static_cast<std::size_t>(got) > limit)
      return std::nullopt;
    text.append(block, static_cast<std::size_t>(got));
  }
}

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
