// Reading a small file whole.
#include "shell/whole_file.h"

#include <fstream>
#include <iterator>

std::string readWholeFile(const std::string& fileName) {
  std::ifstream file(fileName);
  if (!file)
    return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
