#include <gtest/gtest.h>

#include "console/file_reading.h"
#include "console/input.h"

TEST(FoldLineEnds, DropsOnlyTheCarriageReturnOfEachPair) {
  EXPECT_EQ(foldLineEnds("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(foldLineEnds("a\rb\r\r\n\n\r"), "a\rb\r\n\n\r");
}

TEST(IsOneCharAnswer, AcceptsExactlyOneByteThatIsNotABlank) {
  const std::pair<std::string, bool> cases[] = {{"v", true},    {"\t", true}, {"\xE8", true},
                                                {{'\0'}, true}, {"", false},  {" ", false},
                                                {"vv", false}};
  for (const auto& [text, accepted] : cases)
    EXPECT_EQ(isOneCharAnswer(text), accepted) << text;
}
