// File names between UTF-8 text and the system's paths.
#include "platform/native_path.h"

std::filesystem::path nativePath(std::string_view utf8Name) {
  return std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
}

std::string utf8Name(const std::filesystem::path& path) {
  std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}
