#include "platform/platform.h"

#include <gtest/gtest.h>

TEST(IsColourDigit, AcceptsTheSixteenConsoleDigitsInEitherCase) {
  for (char digit : std::string("0123456789abcdefABCDEF"))
    EXPECT_TRUE(isColourDigit(digit)) << digit;
  for (char digit : std::string("gG /:@`\n"))
    EXPECT_FALSE(isColourDigit(digit)) << digit;
}
