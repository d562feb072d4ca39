// Replacing a whole file with one text, the counterpart of readWholeFile.
#pragma once

#include <string>
#include <string_view>

// Replaces the content of `fileName` (created when absent) with `text`, byte
// for byte, with no line end added. A file that cannot be written is left as
// it was, and so is a name that is not a regular file (a directory, a FIFO
// that would block until someone reads it, a device); false then.
bool writeWholeFile(const std::string& fileName, std::string_view text);
