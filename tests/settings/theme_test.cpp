#include "settings/theme.h"

#include <gtest/gtest.h>

#include "platform/recording_platform.h"

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

TEST(ApplyColourCommand, HandsOnlyColourCommandsToThePlatform) {
  RecordingPlatform platform;
  applyColourCommand(platform, "color 9e");
  applyColourCommand(platform, "rm -rf ~");
  applyColourCommand(platform, "color 0f; reboot");
  EXPECT_EQ(platform.effects, std::vector<std::string>{"color 9e"});
}
