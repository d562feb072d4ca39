#include "console/input.h"

#include <gtest/gtest.h>

#include <sstream>

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

TEST(DiscardOneChar, DropsExactlyOnePendingByteWhateverItIs) {
  std::istringstream in(" 6\n");
  discardOneChar(in);
  EXPECT_EQ(in.get(), '6');
  discardOneChar(in);
  EXPECT_EQ(in.get(), std::char_traits<char>::eof());
}
