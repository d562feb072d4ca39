#include "platform/system_random.h"

#include <gtest/gtest.h>

#include <array>

// More than one getentropy call's worth; equal draws would mean no randomness.
TEST(SystemRandom, FillsEveryByteAfreshEachTime) {
  std::array<unsigned char, 600> first{}, second{};
  ASSERT_TRUE(fillFromSystemRandom(first).isOk() && fillFromSystemRandom(second).isOk());
  EXPECT_NE(first, second);
}
