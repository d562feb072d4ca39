// <windows.h> without the macros that clash with the standard library (min,
// max) and without the parts of the API this program never uses, and the
// small helpers its users share: whether a handle is a console, UTF-16 text
// for the wide calls, and a write that does not stop half-way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// True when `handle` is a console rather than a file or a pipe.
inline bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// `utf8` as the UTF-16 text the wide (W) calls take.
inline std::wstring widen(std::string_view utf8) {
  if (utf8.empty())
    return {};
  int size = static_cast<int>(utf8.size());
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

// Writes all of `data` to `handle`; false after a failed write, with
// GetLastError telling why.
inline bool writeAllToHandle(HANDLE handle, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(handle, data, static_cast<DWORD>(size), &written, nullptr) || written == 0)
      return false;
    data += written;
    size -= written;
  }
  return true;
}
