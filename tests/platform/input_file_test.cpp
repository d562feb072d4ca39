#include "platform/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

TEST(InputFile, ReadsARegularFileInBinaryToItsEnd) {
  ScratchDirectory directory;
  writeFile("data", std::string("a\r\n\0b", 5));
  InputFile file;
  ASSERT_TRUE(file.open("data"));
  EXPECT_EQ(file.size(), 5u);
  char buffer[16];
  EXPECT_EQ(file.read(buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(buffer, 5), std::string("a\r\n\0b", 5));
  EXPECT_EQ(file.read(buffer, sizeof buffer), 0);
}

TEST(InputFile, RefusesWhatIsNotARegularFile) {
  ScratchDirectory directory;
  std::filesystem::create_directory("folder");
  InputFile file;
  EXPECT_FALSE(file.open("missing"));
  EXPECT_FALSE(file.open("folder"));
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(file.read(nullptr, 0), -1);
}

#ifndef _WIN32
TEST(InputFile, RefusesFifosAndDevicesWithoutWaiting) {
  ScratchDirectory directory;
  ASSERT_EQ(mkfifo("fifo", 0600), 0);
  std::filesystem::create_symlink("/dev/zero", "zero");
  InputFile file;
  EXPECT_FALSE(file.open("fifo"));  // Would block for a writer if opened plainly.
  EXPECT_FALSE(file.open("zero"));
  EXPECT_FALSE(file.open("/dev/null"));
}

TEST(InputFile, RefusesAnUnreadableFile) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root reads every file";
  ScratchDirectory directory;
  writeFile("secret", "x");
  std::filesystem::permissions("secret", std::filesystem::perms::none);
  InputFile file;
  EXPECT_FALSE(file.open("secret"));
}
#endif
