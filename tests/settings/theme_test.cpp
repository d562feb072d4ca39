#include "settings/theme.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "dialogue.h"

TEST(IsColourCommand, AcceptsOnlyColourAndTwoDigits) {
  EXPECT_TRUE(isColourCommand("color 0f"));
  EXPECT_TRUE(isColourCommand("color 9e"));
  EXPECT_TRUE(isColourCommand("color 0F"));
  EXPECT_FALSE(isColourCommand(""));
  EXPECT_FALSE(isColourCommand("color 0f\n"));
  EXPECT_FALSE(isColourCommand("color 0"));
  EXPECT_FALSE(isColourCommand("color 0g"));
  EXPECT_FALSE(isColourCommand("COLOR 0f"));
  EXPECT_FALSE(isColourCommand("color  0f"));
  EXPECT_FALSE(isColourCommand("color 0f & del *.*"));
  EXPECT_FALSE(isColourCommand("echo hi"));
}

TEST(LoadSavedColourCommand, AcceptsOneTrailingLineEndAndNothingElse) {
  ScratchDirectory directory;
  const std::pair<std::string, std::string> cases[] = {
      {"color 9e", "color 9e"},     {"color 9e\n", "color 9e"}, {"color 9e\r\n", "color 9e"},
      {"color 9e\n\n", ""},         {"color 9e\r", ""},         {"color 9e;rm -rf ~", ""},
      {std::string(4096, 'c'), ""},
  };
  for (const auto& [content, expected] : cases) {
    writeFile(themeFileName, content);
    EXPECT_EQ(loadSavedColourCommand(), expected) << content;
  }
  std::filesystem::remove(themeFileName);
  EXPECT_EQ(loadSavedColourCommand(), "");
  std::filesystem::create_directory(themeFileName);
  EXPECT_EQ(loadSavedColourCommand(), "");
}
