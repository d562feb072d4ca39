#include "console/file_writing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"

TEST(WriteWholeFile, ReplacesTheWholeContentAndAddsNoLineEnd) {
  ScratchDirectory directory;
  writeWholeFile("theme", "color 9e");
  EXPECT_EQ(fileContent("theme"), "color 9e");
  writeWholeFile("theme", "color 0f");
  EXPECT_EQ(fileContent("theme"), "color 0f");
  writeFile("long", "a much longer text than the next one\n");
  writeWholeFile("long", "short");
  EXPECT_EQ(fileContent("long"), "short");
}

TEST(WriteWholeFile, LeavesWhatIsNotARegularFileAlone) {
  ScratchDirectory directory;
  std::filesystem::create_directory("folder");
  EXPECT_FALSE(writeWholeFile("folder", "color 0f"));
  EXPECT_TRUE(std::filesystem::is_directory("folder"));
  EXPECT_FALSE(writeWholeFile("missing/theme", "color 0f"));
  EXPECT_FALSE(std::filesystem::exists("missing"));
}
