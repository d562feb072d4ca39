// Reading the municipality file into the table.
#include "taxcode/municipality_file.h"

#include <optional>
#include <string>
#include <system_error>

#include "console/file_reading.h"
#include "platform/executable_path.h"
#include "platform/native_path.h"

namespace {

bool loadFile(const std::filesystem::path& path) {
  std::optional<std::string> text = readWholeFile(utf8Name(path), municipalityFileLimit);
  if (!text)
    return false;
  municipalityTable().load(foldLineEnds(std::move(*text)));
  municipalityTable().markLoaded();
  return true;
}

}  // namespace

void addMunicipalityRecords(std::string_view text, MunicipalityTable& table) {
  table.load(std::string(text));
}

std::vector<std::filesystem::path> shippedDataDirectories() {
  std::vector<std::filesystem::path> directories;
  if (std::optional<std::filesystem::path> program = executablePath())
    directories.push_back(program->parent_path() / KALVEX_INSTALLED_DATA_DIR_FROM_PROGRAM);
  directories.emplace_back(KALVEX_BUILD_DATA_DIR);
  return directories;
}

int loadMunicipalities(std::span<const std::filesystem::path> dataDirectories) {
  std::filesystem::path own(municipalityFileName);
  if (loadFile(own))
    return 1;
  // The working directory's file always wins: one too large to load is an
  // error, not a reason to use another.
  std::error_code error;
  if (std::filesystem::is_regular_file(own, error) &&
      std::filesystem::file_size(own, error) > municipalityFileLimit && !error)
    return 0;
  for (const std::filesystem::path& directory : dataDirectories) {
    if (loadFile(directory / municipalityFileName))
      return 1;
  }
  return 0;
}
