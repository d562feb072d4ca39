// Asking a POSIX system (Linux's /proc, or macOS) for the running
// executable's path.
#include <string>
#include <system_error>

#include "platform/executable_path.h"

#if defined(__APPLE__)
#include <mach-o/dyld.h>

#include <cstdint>
#endif

#if defined(__APPLE__)

std::optional<std::filesystem::path> executablePath() {
  std::uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::string buffer(size, '\0');
  if (_NSGetExecutablePath(buffer.data(), &size) != 0)
    return std::nullopt;
  if (std::size_t end = buffer.find('\0'); end != std::string::npos)
    buffer.resize(end);
  std::error_code error;
  std::filesystem::path path = std::filesystem::canonical(buffer, error);
  if (error)
    return std::nullopt;
  return path;
}

#else

std::optional<std::filesystem::path> executablePath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error)
    return std::nullopt;
  return path;
}

#endif
