// The file cipher command (key n): enciphers or deciphers a file named by the
// user with a key the user types, through a repeating-key XOR of every byte.
// It hides a file from a casual look; it does not stand up to an attacker.
#pragma once

#include <ostream>
#include <string>

#include "console/console.h"
#include "platform/file_system.h"

// Writes `inputName` XORed with `key` to `outputName` and reports on `out`.
// The input and the key are checked before the output is touched; the output
// name takes the new content only when every byte was written, so a refused
// request or a failure part-way leaves it as it was. An empty key does
// nothing at all.
void encryptFile(FileSystem& files, std::ostream& out, const std::string& inputName,
                 const std::string& outputName, const std::string& key);

// The same checks, then the same transformation: XOR undoes itself.
void decryptFile(FileSystem& files, std::ostream& out, const std::string& inputName,
                 const std::string& outputName, const std::string& key);

// The n command.
void runFileCipher(Console& console);
