#include "settings/history.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dialogue.h"

namespace {
const std::string question = "Vuoi vedere(v) o cancellare(c) la cronologia?\nPath: ";
const std::string listingHeader = "\nCronologia delle funzioni: \n\n";

// A stream buffer that counts how often it is told to flush.
class FlushCounter : public std::stringbuf {
 public:
  int flushes = 0;

 protected:
  int sync() override {
    ++flushes;
    return std::stringbuf::sync();
  }
};

// Standard output redirected into the log: what is printed lands in it at
// each flush.
class IntoTheLog : public std::stringbuf {
 public:
  explicit IntoTheLog(FileSystem& files) : files_(files) {}

 protected:
  int sync() override {
    bool written = files_.appendText(historyFileName, str()).isOk();
    str("");
    return written ? 0 : -1;
  }

 private:
  FileSystem& files_;
};
}  // namespace

// Lines as appended, whether the disk ends them with LF or CR LF: the first
// line end straddles the 64 KiB blocks the log is read in; lines longer than
// a block come whole, and a last line without line end gets one. A flush
// per line made a long log crawl out.
TEST(History, ListsTheLinesAsAppendedInLargeBlocks) {
  std::string longLine(64 * 1024 - 1, 'a');
  std::string content = longLine + "\nb\n" + std::string(100000, 'k') + "\n\nz";
  for (int line = 0; line < 10000; ++line)
    content += "\na";
  for (const char* lineEnd : {"\n", "\r\n"}) {
    MemoryFileSystem files;
    files.endLinesWith(lineEnd);
    ASSERT_TRUE(appendHistory(files, content, false).isOk());
    FlushCounter counter;
    std::ostream out(&counter);
    EXPECT_TRUE(writeHistory(files, out).isOk());
    EXPECT_EQ(counter.str(), content + "\n") << lineEnd[0];
    EXPECT_LE(counter.flushes, 10);
  }
}

// The history transcripts list, clear and refuse "vv", also for a log that is
// a directory; here the other answers, a FIFO in the log's place, and the
// recall list, which only a clearing empties.
TEST(RunHistoryCommand, ListsClearsOrRefusesByTheAnswer) {
  const std::string refused = question + "\n\nFunzione non valida.Riprova\n\n";
  const struct {
    std::string typed;
    bool fifo;
    std::string output;
    bool cleared;
  } cases[] = {
      {"c\n", false, question + "\nFatto!\n", true},
      {"C\n", false, question + "\nFatto!\n", true},
      {"V\n", false, question + listingHeader + "#\n", false},
      {"v\n", true, question + listingHeader, false},
      {"c\n", true, question + "\nErrore: impossibile cancellare la cronologia.\n", false},
      {" \n", false, refused, false},
      {"", false, refused, false},
      {"\t\n", false, refused, false},
      {"x\n", false, refused, false},
      {"v \n", false, refused, false},
  };
  for (const auto& c : cases) {
    Dialogue dialogue(c.typed);
    MemoryFileSystem& files = dialogue.platform.memoryFiles;
    if (c.fifo)
      files.makeSpecial(historyFileName);
    else
      files.writeFile(historyFileName, "#\n");
    dialogue.platform.recalledCommandLines = {"#"};
    runHistoryCommand(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), c.output) << c.typed;
    if (!c.fifo) {
      EXPECT_EQ(files.content(historyFileName), c.cleared ? "" : "#\n") << c.typed;
    }
    EXPECT_EQ(dialogue.platform.recalledCommandLines.empty(), c.cleared) << c.typed;
  }
}

TEST(RunHistoryCommand, ShowsNoMoreThanTheLogHeldWhenAsked) {
  // `kalvex-terminal > function_history.txt`: the listing lands in the log.
  Dialogue dialogue("v\n");
  MemoryFileSystem& files = dialogue.platform.memoryFiles;
  files.writeFile(historyFileName, "#\n@\n");
  IntoTheLog log(files);
  std::ostream intoTheLog(&log);
  Console console{dialogue.in, intoTheLog, dialogue.platform};
  runHistoryCommand(console);
  intoTheLog.flush();
  std::string asked = "#\n@\n" + question + listingHeader;
  EXPECT_EQ(files.content(historyFileName), "#\n@\n" + question + listingHeader + asked);
}
