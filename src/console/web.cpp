// The product's web site: the connectivity check and the opening of its pages.
#include "console/web.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/executable_path.h"

// KALVEX_SITE_URL comes from the build configuration.
std::string_view siteBaseAddress() { return KALVEX_SITE_URL; }

bool checkConnectivity(Console& console) { return console.platform.isReachable(publicHost); }

bool siteConfigured() { return !siteBaseAddress().empty(); }

void openWebPage(Console& console, std::string_view path) {
  openAddress(console, std::string(siteBaseAddress()) + std::string(path));
}

void openAddress(Console& console, const std::string& address) {
  if (!console.platform.openPage(address))
    console.out << openByHandMessage << address << std::endl;
}

namespace {

// Bytes other than these are escaped in a file address.
bool keptInAddress(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
}

std::string fileAddress(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::path whole = std::filesystem::absolute(file, error).lexically_normal();
  std::u8string text = whole.generic_u8string();
  std::string path(text.begin(), text.end());
  std::string address = "file://";
  // A Windows path starts with its drive letter.
  if (path.empty() || path.front() != '/')
    address += '/';
  constexpr char hex[] = "0123456789ABCDEF";
  for (unsigned char c : path) {
    if (keptInAddress(c)) {
      address += static_cast<char>(c);
      continue;
    }
    address += '%';
    address += hex[c >> 4];
    address += hex[c & 15];
  }
  return address;
}

}  // namespace

std::string shippedPageAddress(std::string_view page) {
  std::vector<std::filesystem::path> folders;
  if (std::optional<std::filesystem::path> program = executablePath())
    folders.push_back(program->parent_path() / KALVEX_INSTALLED_SITE_DIR_FROM_PROGRAM);
  folders.emplace_back(KALVEX_BUILD_SITE_DIR);
  for (const std::filesystem::path& folder : folders) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / page, error))
      return fileAddress(folder / page);
  }
  return fileAddress(folders.front() / page);
}
