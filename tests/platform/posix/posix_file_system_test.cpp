#include "platform/posix/posix_file_system.h"

#include <dlfcn.h>
#include <fcntl.h>
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

#include "platform/posix/posix_links.h"
#include "platform/posix/posix_platform.h"
#include "scratch_directory.h"

namespace fs = std::filesystem;

namespace {
int fsyncCalls = 0;
}  // namespace

// The test program's own fsync, counting the calls it passes on.
extern "C" int fsync(int fd) {
  ++fsyncCalls;
  static auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  return system(fd);
}

namespace {

PosixFileSystem files;

bool replace(const std::string& path, std::string_view content) {
  return replaceWholeFile(files, path, content).isOk();
}

bool append(const std::string& path, std::string_view text) {
  return files.appendText(path, text).isOk();
}

bool readable(const std::string& path) { return files.openForReading(path).isOk(); }

}  // namespace

// Reading is binary and bounded, appending creates then appends, and only
// regular files are read or changed: a FIFO nobody reads or writes would
// block a plain open for ever, and a device never ends.
TEST(PosixFileSystem, ReadsAndChangesRegularFilesOnly) {
  ScratchDirectory directory;
  const std::string binary("a\r\n\0b", 5);
  ASSERT_TRUE(append("data", binary));
  EXPECT_EQ(*readWholeFile(files, "data", 5), binary);
  EXPECT_EQ(readWholeFile(files, "data", 4).status().code(), Status::Code::tooLarge);
  ASSERT_TRUE(append("data", "\n"));
  EXPECT_TRUE(files.truncate("data").isOk());
  EXPECT_EQ(fileContent("data"), "");
  EXPECT_TRUE(files.truncate("new").isOk());
  EXPECT_EQ(files.status("new").kind, FileKind::regular);
  EXPECT_TRUE(files.remove("new").isOk());
  EXPECT_EQ(files.status("new").kind, FileKind::missing);

  fs::create_directory("folder");
  ASSERT_EQ(mkfifo("fifo", 0600), 0);
  fs::create_symlink("/dev/zero", "zero");
  fs::create_symlink("/dev/full", "full");
  for (const char* name : {"missing", "folder", "fifo", "zero", "/dev/null"})
    EXPECT_FALSE(readable(name)) << name;
  for (const char* name : {"folder", "missing/log", "full", "fifo"}) {
    EXPECT_FALSE(append(name, "a\n")) << name;
    EXPECT_FALSE(replace(name, "a")) << name;
  }
  EXPECT_FALSE(files.truncate("fifo").isOk());
  // With a reader that never reads, a write would block once the pipe is
  // full: still only regular files are written.
  int reader = open("fifo", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(append("fifo", "a\n"));
  EXPECT_FALSE(files.truncate("fifo").isOk());
  close(reader);
  EXPECT_EQ(files.status("folder").kind, FileKind::directory);
  EXPECT_EQ(files.status("fifo").kind, FileKind::other);
}

// A file that grows past the limit after it was opened (a /proc file says
// its size is 0) is still refused.
TEST(PosixFileSystem, TheReadingLimitHoldsForWhatIsRead) {
  if (!fs::exists("/proc/self/status"))
    GTEST_SKIP() << "no /proc here";
  EXPECT_EQ(files.openForReading("/proc/self/status").value()->size(), 0u);
  EXPECT_EQ(readWholeFile(files, "/proc/self/status", 8).status().code(), Status::Code::tooLarge);
}

TEST(PosixFileSystem, RefusesAnUnreadableFile) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root reads every file";
  ScratchDirectory directory;
  writeFile("secret", "x");
  fs::permissions("secret", fs::perms::none);
  EXPECT_FALSE(readable("secret"));
}

// A replaced file's old content is the only copy until the new one is on
// the disk: a crash after the rename must not leave an empty file.
TEST(PosixFileSystem, FlushesAReplacementToTheDiskBeforeTheRename) {
  ScratchDirectory directory;
  writeFile("theme", "vecchio");
  int before = fsyncCalls;
  EXPECT_TRUE(replace("theme", "nuovo"));
  EXPECT_EQ(fsyncCalls, before + 1);
}

// Replacing a file by renaming over it must not turn a link into a file, nor
// remove a device it names.
TEST(PosixFileSystem, WritesThroughALinkAndNeverReplacesADevice) {
  ScratchDirectory directory;
  writeFile("target", "vecchio");
  fs::create_symlink("target", "link");
  EXPECT_TRUE(replace("link", "nuovo"));
  EXPECT_TRUE(fs::is_symlink("link"));
  EXPECT_EQ(fileContent("target"), "nuovo");
  fs::create_symlink("/dev/null", "null");
  EXPECT_FALSE(replace("null", ""));
  EXPECT_FALSE(replace("/dev/null", ""));
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
TEST(PosixFileSystem, IsPrivateWhileWrittenAndNeverChangedByName) {
  ScratchDirectory directory;
  writeFile("secret", "vecchio");
  chmod("secret", 0640);
  writeFile("victim", "altro");
  chmod("victim", 0600);
  std::unique_ptr<ReplacementFile> file = std::move(files.startReplacing("secret").value());
  ASSERT_TRUE(file->write("nuovo").isOk());
  std::vector<std::string> temporary = othersThan({"secret", "victim"});
  ASSERT_EQ(temporary.size(), 1u);
  EXPECT_EQ(modeOf(temporary[0]), 0600u);
  fs::rename(temporary[0], "moved");
  fs::create_symlink("victim", temporary[0]);
  [[maybe_unused]] Status committed = file->commit();
  EXPECT_EQ(modeOf("victim"), 0600u);
  EXPECT_EQ(fileContent("victim"), "altro");
  EXPECT_EQ(modeOf("moved"), 0640u);
}

// A name as long as the file system allows still gets its file, and a link
// that leads nowhere is not silently turned into a file.
TEST(PosixFileSystem, TakesTheLongestNamesAndRefusesADanglingLink) {
  ScratchDirectory directory;
  std::string longest(255, 'n');
  EXPECT_TRUE(replace(longest, "x"));
  EXPECT_EQ(fileContent(longest), "x");
  fs::create_symlink("nowhere", "dangling");
  EXPECT_FALSE(replace("dangling", "x"));
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

TEST(PosixFileSystem, RefusesALinkPlantedByAnotherUserInASharedFolder) {
  if (geteuid() != 0)
    GTEST_SKIP() << "planting another user's link needs root";
  ScratchDirectory directory;
  fs::create_directory("shared");
  chmod("shared", 01777);
  writeFile("target", "intatto");
  fs::create_symlink("../target", "shared/color_data.txt");
  ASSERT_EQ(lchown("shared/color_data.txt", 4321, 4321), 0);
  EXPECT_FALSE(replace("shared/color_data.txt", "comando"));
  EXPECT_FALSE(append("shared/color_data.txt", "comando\n"));
  EXPECT_FALSE(files.truncate("shared/color_data.txt").isOk());
  EXPECT_EQ(fileContent("target"), "intatto");
  // Our own link there is followed.
  ASSERT_EQ(lchown("shared/color_data.txt", 0, 0), 0);
  EXPECT_TRUE(append("shared/color_data.txt", "!"));
  EXPECT_EQ(fileContent("target"), "intatto!");
}

// An interrupting signal removes the half-written file; a file-size limit is
// an ordinary write failure.
TEST(PosixFileSystem, ASignalOrASizeLimitLeavesNoFileBehind) {
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
      Result<std::unique_ptr<ReplacementFile>> file = files.startReplacing("output");
      if (!file.isOk() || !(*file)->write("abc").isOk())
        _exit(2);
      if (signalNumber == SIGTERM)
        raise(SIGTERM);
      rlimit small{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &small);
      std::string block(8192, 'x');
      bool written = (*file)->write(block).isOk();
      file->reset();
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
