// Files on Windows, run under wine.
#include "platform/windows/windows_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/native_path.h"
#include "scratch_directory.h"

namespace fs = std::filesystem;

namespace {

WindowsFileSystem files;

}  // namespace

// A name typed at the console arrives as UTF-8; a narrow file call would
// read it in the ANSI code page and name another file.
TEST(WindowsFileSystem, AnAccentedNameIsTheSameFileForEveryCall) {
  ScratchDirectory directory;
  const std::string name = "caff\xc3\xa8.txt";
  const fs::path systemName(u8"caff\u00e8.txt");
  EXPECT_EQ(nativePath(name), systemName);
  EXPECT_EQ(utf8Name(systemName), name);

  ASSERT_TRUE(files.appendText(name, "a\nb").isOk());
  EXPECT_EQ(fileContent(systemName), "a\r\nb");
  EXPECT_EQ(files.status(name).kind, FileKind::regular);
  EXPECT_EQ(*readWholeFile(files, name, 4), "a\r\nb");
  ASSERT_TRUE(replaceWholeFile(files, name, "x\ny").isOk());
  EXPECT_EQ(fileContent(systemName), "x\ny");
  EXPECT_TRUE(files.truncate(name).isOk());
  EXPECT_EQ(fileContent(systemName), "");
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
  EXPECT_TRUE(files.remove(name).isOk());
  EXPECT_EQ(files.status(name).kind, FileKind::missing);
}

TEST(WindowsFileSystem, ReadsAndChangesRegularFilesOnly) {
  ScratchDirectory directory;
  fs::create_directory("folder");
  for (const char* name : {"missing", "folder", "NUL"})
    EXPECT_FALSE(files.openForReading(name).isOk()) << name;
  for (const char* name : {"folder", "missing/log", "NUL"}) {
    EXPECT_FALSE(files.appendText(name, "a\n").isOk()) << name;
    EXPECT_FALSE(files.truncate(name).isOk()) << name;
    EXPECT_FALSE(replaceWholeFile(files, name, "a").isOk()) << name;
  }
  EXPECT_EQ(files.status("folder").kind, FileKind::directory);
}
