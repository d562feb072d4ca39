#include "platform/posix_input.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
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

// Handing over the unread input of a file or a pipe is covered by the restart
// transcripts.
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
