#include "platform/posix_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>

TEST(DescriptorOutputBuffer, WritesEverythingThrough) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  {
    DescriptorOutputBuffer buffer(ends[1]);
    std::ostream out(&buffer);
    out << std::string(10000, 'k') << "end" << std::flush;
    EXPECT_TRUE(out.good());
    EXPECT_EQ(buffer.error(), 0);
  }
  close(ends[1]);
  std::string written;
  char block[4096];
  for (ssize_t got; (got = read(ends[0], block, sizeof block)) > 0;)
    written.append(block, static_cast<std::size_t>(got));
  close(ends[0]);
  EXPECT_EQ(written, std::string(10000, 'k') + "end");
}

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
