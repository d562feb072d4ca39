#include "platform/output_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "dialogue.h"
#include "platform/append_file.h"
#include "platform/posix/posix_links.h"
#include "platform/posix/posix_platform.h"

namespace fs = std::filesystem;

// Replacing a file by renaming over it must not turn a link into a file, nor
// remove a device it names.
TEST(OutputFile, WritesThroughALinkAndNeverReplacesADevice) {
  ScratchDirectory directory;
  writeFile("target", "vecchio");
  fs::create_symlink("target", "link");
  OutputFile file;
  ASSERT_TRUE(file.open("link"));
  EXPECT_TRUE(file.write("nuovo", 5));
  EXPECT_TRUE(file.commit());
  EXPECT_TRUE(fs::is_symlink("link"));
  EXPECT_EQ(fileContent("target"), "nuovo");
  fs::create_symlink("/dev/null", "null");
  EXPECT_FALSE(file.open("null"));
  EXPECT_FALSE(file.open("/dev/null"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

namespace {

// The names in the working directory other than `known`.
std::vector<std::string> othersThan(const std::vector<std::string>& known) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator("."))
    if (std::find(known.begin(), known.end(), entry.path().filename().string()) == known.end())
      names.push_back(entry.path().filename().string());
  return names;
}

mode_t modeOf(const std::string& path) {
  struct stat status {};
  lstat(path.c_str(), &status);
  return status.st_mode & 07777;
}

}  // namespace

// Whoever can write the folder may swap the closed temporary file for a link
// before the rename: no change by name may then reach the link's target.
// While it is written, the file is the owner's alone.
TEST(OutputFile, IsPrivateWhileWrittenAndNeverChangedByName) {
  ScratchDirectory directory;
  writeFile("secret", "vecchio");
  chmod("secret", 0640);
  writeFile("victim", "altro");
  chmod("victim", 0600);
  OutputFile file;
  ASSERT_TRUE(file.open("secret"));
  ASSERT_TRUE(file.write("nuovo", 5));
  std::vector<std::string> temporary = othersThan({"secret", "victim"});
  ASSERT_EQ(temporary.size(), 1u);
  EXPECT_EQ(modeOf(temporary[0]), 0600u);
  fs::rename(temporary[0], "moved");
  fs::create_symlink("victim", temporary[0]);
  file.commit();
  EXPECT_EQ(modeOf("victim"), 0600u);
  EXPECT_EQ(fileContent("victim"), "altro");
  EXPECT_EQ(modeOf("moved"), 0640u);
}

// A name as long as the file system allows still gets its file, and a link
// that leads nowhere is not silently turned into a file.
TEST(OutputFile, TakesTheLongestNamesAndRefusesADanglingLink) {
  ScratchDirectory directory;
  std::string longest(255, 'n');
  OutputFile file;
  ASSERT_TRUE(file.open(longest));
  ASSERT_TRUE(file.write("x", 1));
  EXPECT_TRUE(file.commit());
  EXPECT_EQ(fileContent(longest), "x");
  fs::create_symlink("nowhere", "dangling");
  EXPECT_FALSE(file.open("dangling"));
  EXPECT_TRUE(fs::is_symlink("dangling"));
  EXPECT_FALSE(fs::exists("nowhere"));
}

// The kernel's rule for links in shared folders (fs.protected_symlinks).
TEST(MayFollowLink, OnlyTheUsersOrTheFoldersOwnLinksInASharedFolder) {
  struct Case {
    uid_t link, folder;
    mode_t mode;
    bool followed;
  } cases[] = {
      {2000, 0, 01777, false},    // another user's link in /tmp
      {1000, 0, 01777, true},     // our own
      {0, 0, 01777, true},        // the folder owner's
      {2000, 2000, 01777, true},  // the folder owner's, not root
      {2000, 0, 0777, true},      // not sticky
      {2000, 0, 01775, true},     // not world-writable
  };
  for (const Case& c : cases)
    EXPECT_EQ(mayFollowLink(c.link, c.folder, c.mode, 1000), c.followed)
        << c.link << " " << c.folder << " " << std::oct << c.mode;
}

TEST(OutputFile, RefusesALinkPlantedByAnotherUserInASharedFolder) {
  if (geteuid() != 0)
    GTEST_SKIP() << "planting another user's link needs root";
  ScratchDirectory directory;
  fs::create_directory("shared");
  chmod("shared", 01777);
  writeFile("target", "intatto");
  fs::create_symlink("../target", "shared/color_data.txt");
  ASSERT_EQ(lchown("shared/color_data.txt", 4321, 4321), 0);
  OutputFile file;
  EXPECT_FALSE(file.open("shared/color_data.txt"));
  EXPECT_FALSE(appendToFile("shared/color_data.txt", "comando\n"));
  EXPECT_FALSE(truncateFile("shared/color_data.txt"));
  EXPECT_EQ(fileContent("target"), "intatto");
  // Our own link there is followed.
  ASSERT_EQ(lchown("shared/color_data.txt", 0, 0), 0);
  EXPECT_TRUE(appendToFile("shared/color_data.txt", "!"));
  EXPECT_EQ(fileContent("target"), "intatto!");
}

// An interrupting signal removes the half-written file; a file-size limit is
// an ordinary write failure.
TEST(OutputFile, ASignalOrASizeLimitLeavesNoFileBehind) {
  ScratchDirectory directory;
  for (int signalNumber : {SIGTERM, SIGXFSZ}) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::ostringstream out;
      TerminalSettings neither;
      neither.inputFd = neither.outputFd = -1;
      PosixPlatform platform(out, neither);
      platform.restoreTerminalOnSignals();
      OutputFile file;
      if (!file.open("output") || !file.write("abc", 3))
        _exit(2);
      if (signalNumber == SIGTERM)
        raise(SIGTERM);
      rlimit small{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &small);
      std::string block(8192, 'x');
      bool written = file.write(block.data(), block.size());
      file.discard();
      _exit(written ? 3 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (signalNumber == SIGTERM)
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    else
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(othersThan({}), std::vector<std::string>{}) << signalNumber;
  }
}
