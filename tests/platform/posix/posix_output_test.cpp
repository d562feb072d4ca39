#include "platform/posix/posix_output.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>

// A full disk is in the transcripts; a reader gone ends the program without
// a word, so the reason must be kept.
TEST(DescriptorOutputBuffer, KeepsWhyAWriteFailed) {
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
