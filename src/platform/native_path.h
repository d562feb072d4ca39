// File names as the program holds them, UTF-8 text as typed, turned into the
// system's own paths and back. Windows would read a narrow name in its ANSI
// code page, so "caffè.txt" must reach it through UTF-16.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

std::filesystem::path nativePath(std::string_view utf8Name);
std::string utf8Name(const std::filesystem::path& path);
