#include "platform/posix/posix_input.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <istream>
#include <string>

namespace {

std::string firstLine(DescriptorInputBuffer& buffer) {
  std::istream in(&buffer);
  std::string line;
  std::getline(in, line);
  return line;
}

}  // namespace

// Handing over the unread input of a file or a pipe to a new copy is covered
// by the restart transcripts; a copy that could not be started leaves the
// running one reading the same bytes, in order.
TEST(DescriptorInputBuffer, AHandOverNobodyTakesLosesNothing) {
  int input[2];
  ASSERT_EQ(pipe(input), 0);
  ASSERT_EQ(write(input[1], "l\n#\nx\n", 6), 6);
  DescriptorInputBuffer buffer(input[0]);
  EXPECT_EQ(firstLine(buffer), "l");
  ASSERT_TRUE(buffer.handOverUnread());
  EXPECT_NE(getenv(handedOverInputVariable), nullptr);
  unsetenv(handedOverInputVariable);
  EXPECT_EQ(firstLine(buffer), "#");
  ASSERT_EQ(write(input[1], "y\n", 2), 2);
  EXPECT_EQ(firstLine(buffer), "x");
  EXPECT_EQ(firstLine(buffer), "y");
  close(input[1]);
  close(input[0]);
}
