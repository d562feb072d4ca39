#include "console/input.h"

#include <gtest/gtest.h>

#include <string>

TEST(IsOneCharAnswer, AcceptsExactlyOneByteThatIsNotABlank) {
  for (std::string text : {std::string("v"), std::string("\t"), std::string("\x01"),
                           std::string("\xE8"), std::string(1, '\0')})
    EXPECT_TRUE(isOneCharAnswer(text)) << text;
  for (std::string text : {"", " ", "x ", " x", "vv"})
    EXPECT_FALSE(isOneCharAnswer(text)) << text;
}
