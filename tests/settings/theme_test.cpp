#include "settings/theme.h"

#include <gtest/gtest.h>

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
