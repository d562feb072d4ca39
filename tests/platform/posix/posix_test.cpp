#include <arpa/inet.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/line_editing/line_editor.h"
#include "platform/line_editing/line_tracking.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_input.h"
#include "platform/posix/posix_links.h"
#include "platform/posix/posix_platform.h"
#include "scratch_directory.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

int fsyncCalls = 0;
PosixFileSystem files;

// Which of reading, appending, truncating and replacing `name` succeed.
std::string allows(const std::string& name) {
  return {files.openForReading(name).isOk() ? 'r' : '-',
          files.appendText(name, "a\n").isOk() ? 'a' : '-', files.truncate(name).isOk() ? 't' : '-',
          replaceWholeFile(files, name, "w").isOk() ? 'w' : '-'};
}

int mode(const fs::path& path) { return static_cast<int>(fs::status(path).permissions()); }

// Types the scripted lines, one per request, noting what each request offered.
struct ScriptedSource : LineSource {
  explicit ScriptedSource(std::vector<std::string> typed) : lines(std::move(typed)) {}
  std::optional<std::string> readLine(const std::string&, const RecallList& recall) override {
    offers.push_back(recall);
    return next < lines.size() ? std::optional(lines[next++]) : std::nullopt;
  }
  std::vector<std::string> lines;
  std::size_t next = 0;
  std::vector<RecallList> offers;
};

}  // namespace

// Every fsync of the test program is counted, then done.
extern "C" int fsync(int fd) {
  ++fsyncCalls;
  static auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  return system(fd);
}

// A FIFO nobody reads or writes would block a plain open for ever, a device
// never ends, and replacing a link must write its target, not the link.
TEST(PosixFileSystem, ReadsAndChangesRegularFilesOnly) {
  ScratchDirectory directory;
  fs::create_directory("folder");
  ASSERT_EQ(mkfifo("fifo", 0600), 0);
  writeFile("target", "");
  fs::create_symlink("target", "link");
  fs::create_symlink("nowhere", "dangling");
  for (const char* name : {"missing/log", "folder", "fifo", "/dev/zero", "/dev/null", "dangling"})
    EXPECT_EQ(allows(name), "----") << name;
  EXPECT_EQ(allows("link"), "ratw");
  EXPECT_EQ(allows(std::string(255, 'n')), "-atw");
  EXPECT_TRUE(fs::is_symlink("link") && fs::is_symlink("dangling") && !fs::exists("nowhere"));
  EXPECT_EQ(fileContent("target"), "w");
  EXPECT_EQ(files.status("folder").kind, FileKind::directory);
  EXPECT_EQ(files.status("fifo").kind, FileKind::other);
  EXPECT_TRUE(files.remove("link").isOk());
  EXPECT_EQ(files.status("link").kind, FileKind::missing);

  const std::string binary("a\r\n\0b", 5);
  ASSERT_TRUE(files.appendText("data", binary).isOk());
  EXPECT_EQ(files.status("data").kind, FileKind::regular);
  EXPECT_EQ(*readWholeFile(files, "data", 5), binary);
  EXPECT_EQ(readWholeFile(files, "data", 4).status().code(), Status::Code::tooLarge);
  // A /proc file says its size is 0, then grows past the limit as it is read.
  if (fs::exists("/proc/self/status")) {
    EXPECT_EQ(readWholeFile(files, "/proc/self/status", 8).status().code(), Status::Code::tooLarge);
  }
}

// Whoever can write the folder may swap the closed temporary file for a link
// before the rename: no change by name may then reach the link's target. The
// old content is the only copy until the new one is on the disk.
TEST(PosixFileSystem, ReplacesPrivatelyAndSafely) {
  ScratchDirectory directory;
  writeFile("secret", "vecchio");
  fs::permissions("secret", fs::perms(0640));
  writeFile("victim", "altro");
  fs::permissions("victim", fs::perms(0600));
  auto file = std::move(files.startReplacing("secret").value());
  ASSERT_TRUE(file->write("nuovo").isOk());
  fs::path temporary;
  for (const auto& entry : fs::directory_iterator("."))
    if (entry.path().filename() != "secret" && entry.path().filename() != "victim")
      temporary = entry.path();
  EXPECT_EQ(mode(temporary), 0600);
  fs::rename(temporary, "moved");
  fs::create_symlink("victim", temporary);
  int fsyncsBefore = fsyncCalls;
  [[maybe_unused]] Status committed = file->commit();
  EXPECT_EQ(fsyncCalls, fsyncsBefore + 1);
  EXPECT_EQ(mode("victim"), 0600);
  EXPECT_EQ(mode("moved"), 0640);
}

// The kernel's rule for links in shared folders (fs.protected_symlinks).
TEST(PosixFileSystem, FollowsOnlyTheUsersOrTheFoldersOwnLinksInASharedFolder) {
  const std::tuple<uid_t, uid_t, mode_t, bool> cases[] = {
      {2000, 0, 01777, false},   {1000, 0, 01777, true}, {0, 0, 01777, true},
      {2000, 2000, 01777, true}, {2000, 0, 0777, true},  {2000, 0, 01775, true}};
  for (auto [link, folder, folderMode, followed] : cases)
    EXPECT_EQ(mayFollowLink(link, folder, folderMode, 1000), followed)
        << link << " " << folder << " " << std::oct << folderMode;
  if (geteuid() != 0)
    GTEST_SKIP() << "planting another user's link needs root";
  ScratchDirectory directory;
  fs::create_directory("shared");
  fs::permissions("shared", fs::perms(01777));
  writeFile("target", "intatto");
  fs::create_symlink("../target", "shared/link");
  ASSERT_EQ(lchown("shared/link", 4321, 4321), 0);
  EXPECT_EQ(allows("shared/link").substr(1), "---");
  EXPECT_EQ(fileContent("target"), "intatto");
  ASSERT_EQ(lchown("shared/link", 0, 0), 0);
  EXPECT_TRUE(files.appendText("shared/link", "!").isOk());
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
      PosixPlatform(out, TerminalSettings{-1, -1}).restoreTerminalOnSignals();
      auto file = files.startReplacing("output");
      if (!file.isOk() || !(*file)->write("abc").isOk())
        _exit(2);
      if (signalNumber == SIGTERM)
        raise(SIGTERM);
      rlimit small{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &small);
      bool written = (*file)->write(std::string(8192, 'x')).isOk();
      file->reset();
      _exit(written ? 3 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, signalNumber == SIGTERM ? SIGTERM : 0) << signalNumber;
    EXPECT_TRUE(fs::is_empty(".")) << signalNumber;
  }
}

// The pause consumes a whole key, escape sequence or UTF-8 character; the
// colours and title are put back before a restart, even a failed one.
TEST(PosixPlatform, LeavesTheTerminalAsItFoundIt) {
  const std::tuple<char, char, const char*> colours[] = {
      {'0', 'f', "\033[0m"},       {'0', '7', "\033[0;37;40m"},  {'1', '4', "\033[0;31;44m"},
      {'3', '6', "\033[0;33;46m"}, {'8', '7', "\033[0;37;100m"}, {'C', 'A', "\033[0;92;101m"}};
  for (auto [background, text, sequence] : colours)
    EXPECT_EQ(ansiColourSequence(background, text), sequence) << background << text;

  int keyboard = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_TRUE(keyboard >= 0 && grantpt(keyboard) == 0 && unlockpt(keyboard) == 0);
  int user = open(ptsname(keyboard), O_RDWR | O_NOCTTY);
  ASSERT_GE(user, 0);
  termios before{};
  tcgetattr(user, &before);
  std::ostringstream out;
  PosixPlatform platform(out, TerminalSettings{user, user});
  platform.setTitle("Kalvex Terminal");
  platform.clearScreen();
  platform.applyColours('9', 'e');
  for (std::string key : {"\033[A", "\033[15~", "\xC3\xA8"}) {
    ASSERT_EQ(write(keyboard, key.data(), key.size()), static_cast<ssize_t>(key.size()));
    platform.pause();
    termios after{};
    tcgetattr(user, &after);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    pollfd unread{user, POLLIN, 0};
    EXPECT_EQ(poll(&unread, 1, 0), 0) << key.substr(1);
  }
  platform.setRestartProgram("/nonexistent/kalvex-terminal");
  EXPECT_FALSE(platform.restart().isOk());
  std::string pause = "Premere un tasto per continuare . . . \n";
  EXPECT_EQ(out.str(), "\033[22;0t\033]0;Kalvex Terminal\007\033[H\033[2J\033[3J\033[0;93;104m" +
                           pause + pause + pause + "\033[0m\033[23;0t");
  close(user);
  close(keyboard);
}

// A full queue of connections nobody accepts: the kernel drops the handshake
// of a further one, which is never answered.
TEST(PosixPlatform, ConnectivityCheckAcceptsGivesUpAndRefuses) {
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t size = sizeof address;
  int listener = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
  ASSERT_EQ(listen(listener, 0), 0);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  auto reachable = [&](std::chrono::milliseconds timeout) {
    std::ostringstream out;
    PosixPlatform platform(out, TerminalSettings{-1, -1});
    platform.setConnectivityCheck(std::to_string(ntohs(address.sin_port)), timeout);
    return platform.isReachable("127.0.0.1");
  };
  EXPECT_TRUE(reachable(5s));
  bool silent = false;
  for (int attempt = 0; attempt < 64 && !silent; ++attempt) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    pollfd done{fd, POLLOUT, 0};
    silent = poll(&done, 1, 200) == 0;
  }
  auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(!silent || !reachable(300ms));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  close(listener);
  EXPECT_FALSE(reachable(5s));
}

// A copy that could not be started leaves the running one reading the same
// bytes, in order; a write that failed for no known reason still gets a line.
TEST(PosixStreams, AFailedRestartLosesNoInputAndEveryWriteErrorIsDescribed) {
  int input[2];
  ASSERT_EQ(pipe(input), 0);
  ASSERT_EQ(write(input[1], "l\n#\nx\n", 6), 6);
  DescriptorInputBuffer buffer(input[0]);
  std::istream in(&buffer);
  std::string line;
  EXPECT_TRUE(std::getline(in, line) && line == "l");
  ASSERT_TRUE(buffer.handOverUnread());
  unsetenv(handedOverInputVariable);
  ASSERT_EQ(write(input[1], "y\n", 2), 2);
  for (const char* expected : {"#", "x", "y"})
    EXPECT_TRUE(std::getline(in, line) && line == expected) << expected;

  EXPECT_EQ(describeWriteError(0), outputFailureMessage);
  EXPECT_NE(describeWriteError(EIO), outputFailureMessage);
}

TEST(LineEditor, ReadsLinesAsATerminalDeliversThemAndGivesTheStreamsBack) {
  std::istringstream in("riga\n");
  std::ostringstream out;
  {
    auto source = std::make_unique<ScriptedSource>(
        std::vector<std::string>{"12 34\n", "\n", " 5\n", "una riga\n", "senza fine"});
    LineEditor editor(in, out, std::move(source));
    int first = 0, second = 0, third = 0;
    out << "Valore: ";
    in >> first >> second;
    out << "Valore: ";
    // Skipping the line end left pending reads on into the next lines.
    in >> third;
    std::vector<std::string> lines(3);
    for (std::string& line : lines)
      std::getline(in, line);
    EXPECT_EQ(std::tuple(first, second, third), std::tuple(12, 34, 5));
    EXPECT_EQ(lines, (std::vector<std::string>{"", "una riga", "senza fine"}));
    EXPECT_TRUE(in.eof());
    out << "Path: ";
  }
  in.clear();
  out << "fine";
  std::string line;
  EXPECT_TRUE(std::getline(in, line) && line == "riga");
  EXPECT_EQ(out.str(), "Valore: Valore: Path: fine");
}

// A command line joins the commands only when the shell remembers it, which
// also ends the wait for one (a formatted read may take it without typing).
// An answer is offered again as typed, without its line end; empty lines are
// skipped, the oldest dropped, and forgetting the commands spares the answers.
TEST(LineEditor, OffersCommandLinesAtTheCommandPromptAndAnswersElsewhere) {
  std::istringstream in;
  std::ostringstream out;
  auto source = std::make_unique<ScriptedSource>(
      std::vector<std::string>{"a\n", "3\n", "\n", "4\n", "5\n", "6\n", "7\n"});
  ScriptedSource& typed = *source;
  LineEditor editor(in, out, std::move(source));
  std::string line;
  editor.rememberCommandLine("#");
  editor.expectCommandLine();
  std::getline(in, line);
  editor.rememberCommandLine(line);
  std::getline(in, line);
  std::getline(in, line);
  editor.expectCommandLine();
  std::getline(in, line);
  for (std::size_t i = 0; i <= LineRecall::capacity; ++i)
    editor.rememberCommandLine(std::to_string(i));
  editor.rememberCommandLine("");
  editor.expectCommandLine();
  std::getline(in, line);
  editor.forgetCommandLines();
  editor.expectCommandLine();
  std::getline(in, line);
  editor.rememberCommandLine("#");
  std::getline(in, line);
  RecallList newest;
  for (std::size_t i = 1; i <= LineRecall::capacity; ++i)
    newest.push_back(std::to_string(i));
  EXPECT_EQ(typed.offers,
            (std::vector<RecallList>{{"#"}, {}, {"3"}, {"#", "a"}, newest, {}, {"3"}}));
}

TEST(LineTracking, KnowsWhatStandsOnTheCursorsLine) {
  std::ostringstream terminal;
  LineTrackingBuffer tracker(terminal.rdbuf());
  std::ostream out(&tracker);
  out << "Cosa vuoi fare?" << std::endl << std::endl << "Path: ";
  EXPECT_EQ(tracker.currentLine(), "Path: ");
  out << 'x' << 12 << "\rValore: ";
  EXPECT_EQ(tracker.currentLine(), "Valore: ");
  out << "\nInserisci: ";
  tracker.startNewLine();
  EXPECT_EQ(tracker.currentLine(), "");
  out << std::string(100000, 'a') << "Path: ";
  EXPECT_LE(tracker.currentLine().size(), 8192u);
  EXPECT_TRUE(tracker.currentLine().ends_with("aPath: "));

  const std::pair<const char*, const char*> visible[] = {
      {"\033]0;Kalvex Terminal\007Sì\033]0;x\033\\!", "Sì!"},
      {"\033[H\033[2J\033[3JA\033(B\x01\x7f", "A"},
      {"ab\tc\t", "ab      c       "},
      {"è\tx", "è       x"},
      {"\xa8x", "x"},
      {"\033[", ""}};
  for (auto [line, shown] : visible)
    EXPECT_EQ(visibleText(line), shown) << line;
  const std::tuple<std::string, int, const char*> returns[] = {
      {std::string(10, 'a'), 10, "\r"},
      {std::string(25, 'a'), 10, "\r\033[2A"},
      {"èèèèèèèèèèè", 10, "\r\033[1A"},
      {std::string(25, 'a'), 0, "\r"}};
  for (const auto& [line, columns, back] : returns)
    EXPECT_EQ(returnToLineStart(line, columns), back) << line << " " << columns;
}
