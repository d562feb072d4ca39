// Standard input, output and the restart on Windows, run under wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>

#include "platform/windows/windows_api.h"
#include "platform/windows/windows_input.h"
#include "platform/windows/windows_output.h"
#include "platform/windows/windows_restart.h"

namespace {

// A file of the test's own in the temporary folder, removed afterwards; the
// working directory stays where it is.
struct TemporaryFile {
  explicit TemporaryFile(const std::string& content) {
    static int made = 0;
    path = (std::filesystem::temp_directory_path() /
            ("kalvex-streams-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++made)))
               .string();
    std::ofstream(path, std::ios::binary) << content;
  }
  ~TemporaryFile() { std::filesystem::remove(path); }
  std::string path;
};

HANDLE openForReading(const std::string& name) {
  return CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string readToEnd(HANDLE handle) {
  std::string content;
  char block[256];
  DWORD got = 0;
  while (ReadFile(handle, block, sizeof block, &got, nullptr) && got > 0)
    content.append(block, got);
  return content;
}

struct Pipe {
  Pipe() { CreatePipe(&readEnd, &writeEnd, nullptr, 0); }
  ~Pipe() {
    closeReadEnd();
    closeWriteEnd();
  }
  void write(const std::string& text) {
    DWORD written = 0;
    WriteFile(writeEnd, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  void closeReadEnd() {
    if (readEnd)
      CloseHandle(readEnd);
    readEnd = nullptr;
  }
  void closeWriteEnd() {
    if (writeEnd)
      CloseHandle(writeEnd);
    writeEnd = nullptr;
  }
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
};

// Sets one of this process's standard handles for the life of the object.
class StandardHandle {
 public:
  StandardHandle(DWORD which, HANDLE handle) : which_(which), previous_(GetStdHandle(which)) {
    SetStdHandle(which, handle);
  }
  ~StandardHandle() { SetStdHandle(which_, previous_); }

 private:
  DWORD which_;
  HANDLE previous_;
};

std::wstring commandInterpreter() {
  wchar_t directory[MAX_PATH];
  GetSystemDirectoryW(directory, MAX_PATH);
  return std::wstring(directory) + L"\\cmd.exe";
}

}  // namespace

TEST(HandleInputBuffer, FoldsLineEndsYetHandsOnTheUnreadBytesAsRead) {
  TemporaryFile input("l\r\n#\ra\r\nx\r\n");
  HANDLE file = openForReading(input.path);
  HandleInputBuffer buffer(file);
  std::istream in(&buffer);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "l");
  EXPECT_EQ(buffer.takeUnread(), "#\ra\r\nx\r\n");
  CloseHandle(file);
}

TEST(HandleInputBuffer, JoinsALineEndSplitBetweenTwoReads) {
  // The file is read in 64 KiB blocks: CR closes the first, LF opens the next.
  std::string longLine(64 * 1024 - 1, 'a');
  TemporaryFile input(longLine + "\r\nb\r\nc\r");
  HANDLE file = openForReading(input.path);
  HandleInputBuffer buffer(file);
  std::istream in(&buffer);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, longLine);
  EXPECT_EQ(buffer.takeUnread(), "b\r\nc\r");
  CloseHandle(file);
}

TEST(HandleInputBuffer, ReadsAPipeToItsEndKeepingALastLoneCr) {
  Pipe pipe;
  pipe.write("x\r\ny\r");
  pipe.closeWriteEnd();
  HandleInputBuffer buffer(pipe.readEnd);
  EXPECT_FALSE(buffer.readsConsole());
  std::istream in(&buffer);
  std::string rest(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(rest, "x\ny\r");
}

TEST(HandleOutputBuffer, WritesLineEndsAsCrLf) {
  Pipe pipe;
  HandleOutputBuffer buffer(pipe.writeEnd);
  std::ostream out(&buffer);
  out << "a" << std::endl << "b\n" << std::flush;
  pipe.closeWriteEnd();
  EXPECT_EQ(readToEnd(pipe.readEnd), "a\r\nb\r\n");
  EXPECT_EQ(buffer.error(), 0u);
}

TEST(HandleOutputBuffer, KeepsWhyAWriteFailed) {
  Pipe pipe;
  pipe.closeReadEnd();
  HandleOutputBuffer buffer(pipe.writeEnd);
  std::ostream out(&buffer);
  out << "a" << std::endl;
  EXPECT_FALSE(out);
  EXPECT_NE(buffer.error(), 0u);
  // Nobody is left to read: the program ends without a word.
  EXPECT_EQ(describeOutputError(buffer.error()), "");
  EXPECT_EQ(describeOutputError(ERROR_DISK_FULL),
            "Errore: impossibile scrivere sull'output standard (spazio esaurito sul "
            "dispositivo).");
}

// The command interpreter stands in for the new instance: it runs what it
// reads and ends with the status of its exit command.
TEST(RunFreshInstance, FeedsAPipedInputTheUnreadBytesFirstAndEndsWithTheStatus) {
  Pipe input;
  input.write(" 7\r\n");
  input.closeWriteEnd();
  HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  StandardHandle standardInput(STD_INPUT_HANDLE, input.readEnd);
  StandardHandle standardOutput(STD_OUTPUT_HANDLE, nowhere);
  EXPECT_EQ(runFreshInstance(commandInterpreter(), "exit"), 7u);
  CloseHandle(nowhere);
}

TEST(RunFreshInstance, RewindsAFileInputToTheUnreadBytes) {
  TemporaryFile input("exit 5\r\n");
  HANDLE file = openForReading(input.path);
  char taken[4];
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(file, taken, sizeof taken, &got, nullptr));
  HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  StandardHandle standardInput(STD_INPUT_HANDLE, file);
  StandardHandle standardOutput(STD_OUTPUT_HANDLE, nowhere);
  EXPECT_EQ(runFreshInstance(commandInterpreter(), "exit"), 5u);
  CloseHandle(nowhere);
  CloseHandle(file);
}

TEST(RunFreshInstance, SaysWhenTheProgramCannotBeStarted) {
  EXPECT_FALSE(runFreshInstance(L"C:\\no\\such\\program.exe", ""));
}
