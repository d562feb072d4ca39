// Files, standard input and output and the restart on Windows, run under wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "platform/native_path.h"
#include "platform/windows/windows_api.h"
#include "platform/windows/windows_file_system.h"
#include "platform/windows/windows_input.h"
#include "platform/windows/windows_restart.h"
#include "scratch_directory.h"

namespace fs = std::filesystem;

namespace {

// A file of the test's own in the temporary folder (the working directory
// stays where it is) holding `content`, read from its start, gone once closed.
HANDLE fileHolding(const std::string& content) {
  static int made = 0;
  fs::path path =
      fs::temp_directory_path() /
      ("kalvex-streams-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made));
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  return file;
}

}  // namespace

// A name typed at the console arrives as UTF-8; a narrow file call would
// read it in the ANSI code page and name another file.
TEST(WindowsFileSystem, ChangesRegularFilesOnlyByTheirUtf8Names) {
  ScratchDirectory directory;
  WindowsFileSystem files;
  const std::string name = "caff\xc3\xa8.txt";
  const fs::path systemName(u8"caff\u00e8.txt");
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

  fs::create_directory("folder");
  EXPECT_EQ(files.status("folder").kind, FileKind::directory);
  for (const char* other : {"missing/log", "folder", "NUL"})
    EXPECT_FALSE(files.openForReading(other).isOk() || files.appendText(other, "a\n").isOk() ||
                 files.truncate(other).isOk() || replaceWholeFile(files, other, "a").isOk())
        << other;
}

// Input is read in 64 KiB blocks: in the second row a CR closes the first
// block and its LF opens the next. A last lone CR is kept.
TEST(HandleInputBuffer, FoldsLineEndsYetHandsOnTheUnreadBytesAsRead) {
  const std::string longLine(64 * 1024 - 1, 'a');
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"l\r\n#\ra\r\nx\r\n", "l", "#\ra\r\nx\r\n"},
      {longLine + "\r\nb\r\nc\r", longLine, "b\r\nc\r"}};
  for (const auto& [content, firstLine, unread] : cases) {
    HANDLE file = fileHolding(content);
    HandleInputBuffer buffer(file);
    std::istream in(&buffer);
    std::string line;
    EXPECT_TRUE(std::getline(in, line) && line == firstLine);
    EXPECT_EQ(buffer.takeUnread(), unread);
    CloseHandle(file);
  }
  HandleInputBuffer buffer(fileHolding("x\r\ny\r"));
  EXPECT_FALSE(buffer.readsConsole());
  std::istream in(&buffer);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "x\ny\r");
}

// The command interpreter stands in for the new instance: it runs what it
// reads and ends with the status of its exit command.
TEST(RunFreshInstance, EndsWithTheNewInstancesStatusOrSaysItCouldNotStart) {
  wchar_t directory[MAX_PATH];
  GetSystemDirectoryW(directory, MAX_PATH);
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE), output = GetStdHandle(STD_OUTPUT_HANDLE);
  SetStdHandle(STD_OUTPUT_HANDLE, CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  SetStdHandle(STD_INPUT_HANDLE, fileHolding("exit 7\r\n"));
  EXPECT_EQ(runFreshInstance(std::wstring(directory) + L"\\cmd.exe", ""), 7u);
  SetStdHandle(STD_INPUT_HANDLE, input);
  SetStdHandle(STD_OUTPUT_HANDLE, output);
  EXPECT_FALSE(runFreshInstance(L"C:\\no\\such\\program.exe", ""));
}
