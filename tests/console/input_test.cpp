#include "console/input.h"

#include <gtest/gtest.h>

#include <string>

TEST(IsOneCharAnswer, AcceptsExactlyOneByteThatIsNotABlank) {
  EXPECT_TRUE(isOneCharAnswer("v"));
  EXPECT_TRUE(isOneCharAnswer("\t"));
  EXPECT_TRUE(isOneCharAnswer("\x01"));
  EXPECT_TRUE(isOneCharAnswer("\xE8"));
  EXPECT_TRUE(isOneCharAnswer(std::string(1, '\0')));
}

TEST(IsOneCharAnswer, RefusesEmptyLongAndBlankTexts) {
  EXPECT_FALSE(isOneCharAnswer(""));
  EXPECT_FALSE(isOneCharAnswer(" "));
  EXPECT_FALSE(isOneCharAnswer("x "));
  EXPECT_FALSE(isOneCharAnswer(" x"));
  EXPECT_FALSE(isOneCharAnswer("vv"));
}
