// A whole file run through the repeating-key XOR into another file, streamed
// in blocks so memory does not grow with the file.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"

// Writes the bytes of `inputName` XORed with the repeating `key` (not empty)
// to `outputName`, which takes the new content only once every byte has been
// written: on any failure it keeps what it held, so both names may be the
// same file. The failure's code says which step failed: notFound when the
// input cannot be opened (a directory, FIFO, device or unreadable file
// counts as missing), refused when the output cannot be created, invalid
// when the input could not be read to its end, and ioError when the output
// could not be written.
Status transformFile(FileSystem& files, const std::string& inputName, const std::string& outputName,
                     std::string_view key);
