// A whole file run through the repeating-key XOR into another file, streamed
// in blocks so memory does not grow with the file.
#pragma once

#include <string>
#include <string_view>

enum class TransformResult { done, inputMissing, outputRefused, readFailed, writeFailed };

// Writes the bytes of `inputName` XORed with the repeating `key` (not empty)
// to `outputName`, which takes the new content only once every byte has been
// written: on any failure it keeps what it held, so both names may be the
// same file. `inputMissing` also covers a directory, FIFO, device or
// unreadable file.
TransformResult transformFile(const std::string& inputName, const std::string& outputName,
                              std::string_view key);
