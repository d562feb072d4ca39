// Reading a small file whole.
#pragma once

#include <string>

// The whole content of the named file, line ends included; empty when the
// file cannot be opened.
std::string readWholeFile(const std::string& fileName);
