// Where the running program's executable lives, for finding the data that
// is installed beside it.
#pragma once

#include <filesystem>
#include <optional>

// The absolute path of the running executable, or nothing when the system
// cannot tell.
std::optional<std::filesystem::path> executablePath();
