#include "console/file_reading.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"

TEST(ReadWholeFile, GivesTheContentUpToTheLimit) {
  ScratchDirectory directory;
  writeFile("eight", "color 0f");
  EXPECT_EQ(readWholeFile("eight", 8), "color 0f");
  EXPECT_EQ(readWholeFile("eight", 7), std::nullopt);
  writeFile("empty", "");
  EXPECT_EQ(readWholeFile("empty", 0), "");
}

TEST(ReadWholeFile, GivesNothingForWhatCannotBeRead) {
  ScratchDirectory directory;
  std::filesystem::create_directory("folder");
  EXPECT_EQ(readWholeFile("missing", 100), std::nullopt);
  EXPECT_EQ(readWholeFile("folder", 100), std::nullopt);
#ifndef _WIN32
  EXPECT_EQ(readWholeFile("/dev/zero", 100), std::nullopt);
#endif
}

TEST(ReadWholeFile, ReadsFilesLargerThanOneBlock) {
  ScratchDirectory directory;
  std::string big(200 * 1024, 'k');
  big += "end";
  writeFile("big", big);
  EXPECT_EQ(readWholeFile("big", big.size()), big);
}

TEST(FoldLineEnds, DropsOnlyTheCarriageReturnOfEachPair) {
  EXPECT_EQ(foldLineEnds("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(foldLineEnds("a\rb\r\r\n\n\r"), "a\rb\r\n\n\r");
}
