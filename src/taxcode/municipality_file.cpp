// Reading the municipality file into the table.
#include "taxcode/municipality_file.h"

#include <optional>
#include <string>

#include "console/file_reading.h"
#include "platform/executable_path.h"
#include "platform/native_path.h"

namespace {

Result<MunicipalityTable> loadFile(FileSystem& files, const std::filesystem::path& path) {
  Result<std::string> text = readWholeFile(files, utf8Name(path), municipalityFileLimit);
  if (!text.isOk())
    return text.status();
  MunicipalityTable table;
  table.load(foldLineEnds(std::move(*text)));
  return table;
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

Result<MunicipalityTable> loadMunicipalities(
    FileSystem& files, std::span<const std::filesystem::path> dataDirectories) {
  Result<MunicipalityTable> table = loadFile(files, std::filesystem::path(municipalityFileName));
  // The working directory's file always wins: one too large to load is an
  // error, not a reason to use another.
  if (table.isOk() || table.status().code() == Status::Code::tooLarge)
    return table;
  for (const std::filesystem::path& directory : dataDirectories) {
    table = loadFile(files, directory / municipalityFileName);
    if (table.isOk())
      return table;
  }
  return Status::failure(Status::Code::notFound, "no readable municipality file");
}
