// Replacing a whole file with one text.
#include "console/file_writing.h"

#include <filesystem>
#include <fstream>

namespace {
bool isAbsentOrRegular(const std::string& fileName) {
  std::error_code error;
  std::filesystem::file_status status = std::filesystem::status(fileName, error);
  return status.type() == std::filesystem::file_type::not_found ||
         status.type() == std::filesystem::file_type::regular;
}
}  // namespace

void writeWholeFile(const std::string& fileName, std::string_view text) {
  if (!isAbsentOrRegular(fileName))
    return;
  std::ofstream file(fileName, std::ios::out | std::ios::trunc);
  file << text;
  file.flush();
}
