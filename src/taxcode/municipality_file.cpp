// Reading the municipality file into the table.
#include "taxcode/municipality_file.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "console/ascii.h"
#include "console/file_reading.h"
#include "platform/executable_path.h"
#include "platform/native_path.h"

namespace {

void skipBlanks(std::string_view text, std::size_t& at) {
  while (at < text.size() && isAsciiSpace(text[at]))
    ++at;
}

// What `%d` reads at `at`: blanks, an optional sign, then digits. Nothing when
// no digit follows; the sign stays consumed, as the C library leaves it.
// Values beyond 32 bits stop at the nearest limit.
std::optional<std::int32_t> readNumber(std::string_view text, std::size_t& at) {
  skipBlanks(text, at);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-'))
    negative = text[at++] == '-';
  if (at >= text.size() || !isAsciiDigit(text[at]))
    return std::nullopt;
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; at < text.size() && isAsciiDigit(text[at]); ++at)
    magnitude = std::min(magnitude * 10 + (text[at] - '0'), limit);
  std::int64_t value = negative ? -magnitude : std::min(magnitude, limit - 1);
  return static_cast<std::int32_t>(value);
}

bool loadFile(const std::filesystem::path& path) {
  std::optional<std::string> text = readWholeFile(utf8Name(path), municipalityFileLimit);
  if (!text)
    return false;
  addMunicipalityRecords(foldLineEnds(std::move(*text)), municipalityTable());
  municipalityTable().markLoaded();
  return true;
}

}  // namespace

void addMunicipalityRecords(std::string_view text, MunicipalityTable& table) {
  // Every record has its TAB, so this bounds the count from above.
  table.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\t')));
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t tab = text.find('\t', at);
    if (tab == std::string_view::npos || tab + 1 >= text.size())
      return;
    std::string_view name = text.substr(at, tab - at);
    char letter = text[tab + 1];
    at = tab + 2;
    std::optional<std::int32_t> number = readNumber(text, at);
    // A failed `%d` leaves the bytes after it to start the next name.
    if (!number)
      continue;
    skipBlanks(text, at);
    table.insert(std::string(name), letter, *number);
  }
}

std::vector<std::filesystem::path> shippedDataDirectories() {
  std::vector<std::filesystem::path> directories;
  if (std::optional<std::filesystem::path> program = executablePath())
    directories.push_back(program->parent_path() / KALVEX_INSTALLED_DATA_DIR_FROM_PROGRAM);
  directories.emplace_back(KALVEX_BUILD_DATA_DIR);
  return directories;
}

int loadMunicipalities(std::span<const std::filesystem::path> dataDirectories) {
  if (loadFile(std::filesystem::path(municipalityFileName)))
    return 1;
  for (const std::filesystem::path& directory : dataDirectories) {
    if (loadFile(directory / municipalityFileName))
      return 1;
  }
  return 0;
}
