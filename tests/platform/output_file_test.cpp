#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"

namespace fs = std::filesystem;

TEST(OutputFile, ReplacesItsNameOnlyWhenCommitted) {
  ScratchDirectory directory;
  writeFile("out", "vecchio");
  {
    OutputFile file;
    ASSERT_TRUE(file.open("out"));
    EXPECT_TRUE(file.write("nuovo", 5));
    EXPECT_EQ(fileContent("out"), "vecchio");
  }
  EXPECT_EQ(fileContent("out"), "vecchio");
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
  OutputFile file;
  ASSERT_TRUE(file.open("out"));
  EXPECT_TRUE(file.write("nuovo", 5));
  EXPECT_TRUE(file.commit());
  EXPECT_EQ(fileContent("out"), "nuovo");
  EXPECT_FALSE(file.write("x", 1));
  EXPECT_FALSE(file.open(""));
}

#ifndef _WIN32
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
#endif
