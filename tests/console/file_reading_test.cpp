#include "console/file_reading.h"

#include <gtest/gtest.h>

TEST(FoldLineEnds, DropsOnlyTheCarriageReturnOfEachPair) {
  EXPECT_EQ(foldLineEnds("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(foldLineEnds("a\rb\r\r\n\n\r"), "a\rb\r\n\n\r");
}
