// Asking Windows for the running executable's path.
#include <string>

#include "platform/executable_path.h"
#include "platform/windows/windows_api.h"

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
