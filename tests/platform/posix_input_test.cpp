#include "platform/posix_input.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
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

TEST(DescriptorInputBuffer, TheRelayDoesNotKeepTheProgramsOutputOpen) {
  int input[2];
  int output[2];
  ASSERT_EQ(pipe(input), 0);
  ASSERT_EQ(pipe(output), 0);
  ASSERT_EQ(write(input[1], "l\n#\n", 4), 4);
  pid_t program = fork();
  ASSERT_GE(program, 0);
  if (program == 0) {
    // The program restarting: its output is the pipe the test reads.
    dup2(output[1], STDOUT_FILENO);
    dup2(output[1], STDERR_FILENO);
    close(output[0]);
    close(output[1]);
    close(input[1]);
    DescriptorInputBuffer buffer(input[0]);
    firstLine(buffer);
    buffer.handOverUnread();
    _exit(0);
  }
  close(output[1]);
  int status = 0;
  waitpid(program, &status, 0);
  // The input's writer is still open, so the relay is still running; a
  // reader of the program's output must see its end all the same.
  pollfd ready{output[0], POLLIN, 0};
  ASSERT_EQ(poll(&ready, 1, 5000), 1) << "the program's output is still held open";
  char byte;
  EXPECT_EQ(read(output[0], &byte, 1), 0);
  close(output[0]);
  close(input[1]);
  close(input[0]);
}
