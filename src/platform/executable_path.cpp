// Asking the system for the running executable's path.
#include "platform/executable_path.h"

#include <string>
#include <system_error>

#if defined(_WIN32)
#include "platform/windows/windows_api.h"
#elif defined(__APPLE__)
#include <mach-o/dyld.h>

#include <cstdint>
#endif

#if defined(_WIN32)

std::optional<std::filesystem::path> executablePath() {
  // The call truncates silently when the buffer is short, so grow it until
  // the path fits; Windows paths stop at 32767 characters.
  std::wstring buffer(MAX_PATH, L'\0');
  while (buffer.size() <= 32768) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return std::nullopt;
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
  return std::nullopt;
}

#elif defined(__APPLE__)

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
