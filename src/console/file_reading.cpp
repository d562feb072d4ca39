// Reading files as text: line ends folded as a text-mode read folds them.
#include "console/file_reading.h"

#include "platform/file_system.h"
#include "platform/host_file_system.h"

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

std::optional<std::string> readWholeFile(const std::string& fileName, std::size_t limit) {
  HostFileSystem files;
  Result<std::string> content = readWholeFile(files, fileName, limit);
  if (!content.isOk())
    return std::nullopt;
  return std::move(*content);
}
