// Replacing a whole file with one text.
#include "console/file_writing.h"

#include "platform/output_file.h"

bool writeWholeFile(const std::string& fileName, std::string_view text) {
  // The new text goes to a file of its own that takes the name only once it
  // is complete, so a full disk never leaves half a file behind.
  OutputFile file;
  return file.open(fileName) && file.write(text.data(), text.size()) && file.commit();
}
