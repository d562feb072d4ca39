#include "platform/append_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

TEST(AppendToFile, CreatesThenAppends) {
  ScratchDirectory directory;
  EXPECT_TRUE(appendToFile("log", "a\n"));
  EXPECT_TRUE(appendToFile("log", "b"));
  EXPECT_EQ(fileContent("log"), asTextFile("a\nb"));
  EXPECT_TRUE(truncateFile("log"));
  EXPECT_EQ(fileContent("log"), "");
  EXPECT_TRUE(truncateFile("new"));
  EXPECT_TRUE(std::filesystem::exists("new"));
}

TEST(AppendToFile, ReportsWhatCannotBeWritten) {
  ScratchDirectory directory;
  std::filesystem::create_directory("folder");
  EXPECT_FALSE(appendToFile("folder", "a\n"));
  EXPECT_FALSE(truncateFile("folder"));
  EXPECT_FALSE(appendToFile("missing/log", "a\n"));
#ifndef _WIN32
  std::filesystem::create_symlink("/dev/full", "full");
  EXPECT_FALSE(appendToFile("full", "a\n"));
  // A FIFO nobody reads would block a plain open for ever.
  ASSERT_EQ(mkfifo("fifo", 0600), 0);
  EXPECT_FALSE(appendToFile("fifo", "a\n"));
  EXPECT_FALSE(truncateFile("fifo"));
  // With a reader that never reads, a write would block once the pipe is
  // full: only regular files are written.
  int reader = open("fifo", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(appendToFile("fifo", "a\n"));
  EXPECT_FALSE(truncateFile("fifo"));
  close(reader);
#endif
}
