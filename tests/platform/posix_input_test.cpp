#include "platform/posix_input.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <istream>
#include <string>

#include "dialogue.h"

namespace {

std::string readToEnd(int fd) {
  std::string content;
  char block[256];
  for (ssize_t got; (got = read(fd, block, sizeof block)) > 0;)
    content.append(block, static_cast<size_t>(got));
  return content;
}

std::string firstLine(DescriptorInputBuffer& buffer) {
  std::istream in(&buffer);
  std::string line;
  std::getline(in, line);
  return line;
}

}  // namespace

TEST(DescriptorInputBuffer, RewindsAFileToTheUnreadBytes) {
  ScratchDirectory directory;
  writeFile("input", "l\n#\nx\n");
  int fd = open("input", O_RDONLY);
  ASSERT_GE(fd, 0);
  DescriptorInputBuffer buffer(fd);
  EXPECT_EQ(firstLine(buffer), "l");
  buffer.handOverUnread();
  EXPECT_EQ(readToEnd(fd), "#\nx\n");
  close(fd);
}

TEST(DescriptorInputBuffer, FeedsAPipeTheUnreadBytesThenTheRest) {
  int original[2];
  ASSERT_EQ(pipe(original), 0);
  ASSERT_EQ(write(original[1], "l\n#\n", 4), 4);
  DescriptorInputBuffer buffer(original[0]);
  EXPECT_EQ(firstLine(buffer), "l");
  ASSERT_EQ(write(original[1], "x\n", 2), 2);
  // The relay would inherit a write end still open here and never see the end.
  close(original[1]);
  buffer.handOverUnread();
  EXPECT_EQ(readToEnd(original[0]), "#\nx\n");
  close(original[0]);
}
