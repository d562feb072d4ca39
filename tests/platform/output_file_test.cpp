#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"

namespace fs = std::filesystem;

// Replacing a file by renaming over it must not turn a link into a file, nor
// remove a device it names.
TEST(OutputFile, WritesThroughALinkAndNeverReplacesADevice) {
  ScratchDirectory directory;
  writeFile("target", "vecchio");
  fs::create_symlink("target", "link");
  OutputFile file;
  ASSERT_TRUE(file.open("link"));
  EXPECT_TRUE(file.write("nuovo", 5));
  EXPECT_TRUE(file.commit());
  EXPECT_TRUE(fs::is_symlink("link"));
  EXPECT_EQ(fileContent("target"), "nuovo");
  fs::create_symlink("/dev/null", "null");
  EXPECT_FALSE(file.open("null"));
  EXPECT_FALSE(file.open("/dev/null"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}
