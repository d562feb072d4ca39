#include "platform/posix/posix_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>

TEST(DescriptorOutputBuffer, KeepsWhyAWriteFailed) {
  int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  DescriptorOutputBuffer buffer(full);
  std::ostream out(&buffer);
  out << "Kalvex Terminal" << std::endl;
  EXPECT_TRUE(out.bad());
  EXPECT_EQ(buffer.error(), ENOSPC);
  close(full);

  auto previous = signal(SIGPIPE, SIG_IGN);
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  close(ends[0]);
  DescriptorOutputBuffer closed(ends[1]);
  std::ostream toNobody(&closed);
  toNobody << "Path: " << std::flush;
  EXPECT_TRUE(toNobody.bad());
  EXPECT_EQ(closed.error(), EPIPE);
  close(ends[1]);
  signal(SIGPIPE, previous);
}
