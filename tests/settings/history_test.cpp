#include "settings/history.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dialogue.h"

namespace {
const std::string question = "Vuoi vedere(v) o cancellare(c) la cronologia?\nPath: ";
const std::string listingHeader = "\nCronologia delle funzioni: \n\n";

std::string shownHistory(MemoryFileSystem& files) {
  std::ostringstream out;
  [[maybe_unused]] Status shown = writeHistory(files, out);
  return out.str();
}

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

// The history transcripts show the log listed, cleared and refilled.

// Lines as appended, whether the disk ends them with LF or CR LF: the first
// line end straddles the 64 KiB blocks the log is read in; lines longer than
// a block come whole, and a last line without line end gets one.
TEST(History, ShowsTheLinesAsAppended) {
  std::string longLine(64 * 1024 - 1, 'a');
  std::string content = longLine + "\nb\n" + std::string(100000, 'k') + "\n\nz";
  for (const char* lineEnd : {"\n", "\r\n"}) {
    MemoryFileSystem files;
    files.endLinesWith(lineEnd);
    ASSERT_TRUE(appendHistory(files, content, false).isOk());
    EXPECT_EQ(shownHistory(files), content + "\n") << lineEnd[0];
  }
}

// A flush per line made a long log crawl out: it is listed in large blocks.
TEST(History, ListsALongLogWithoutFlushingEveryLine) {
  MemoryFileSystem files;
  std::string content;
  for (int line = 0; line < 10000; ++line)
    content += "a\n";
  files.writeFile(historyFileName, content);
  FlushCounter counter;
  std::ostream out(&counter);
  EXPECT_TRUE(writeHistory(files, out).isOk());
  EXPECT_EQ(counter.str(), content);
  EXPECT_LE(counter.flushes, 10);
}

TEST(History, FailsWhenAbsentAndIsEmptyAfterClearing) {
  MemoryFileSystem files;
  EXPECT_EQ(writeHistory(files, std::cout).code(), Status::Code::notFound);
  ASSERT_TRUE(appendHistory(files, "a").isOk());
  EXPECT_TRUE(clearHistory(files).isOk());
  EXPECT_EQ(files.content(historyFileName), "");
  files.refuse(historyFileName);
  EXPECT_FALSE(appendHistory(files, "a").isOk());
  EXPECT_FALSE(clearHistory(files).isOk());
}

// A directory, FIFO or device in the log's place: the header alone, and a
// failed clearing says so.
TEST(RunHistoryCommand, ShowsOnlyTheHeaderForALogThatIsNotAFile) {
  Dialogue folder("v\n");
  folder.platform.memoryFiles.makeDirectory(historyFileName);
  runHistoryCommand(folder.console);
  EXPECT_EQ(folder.out.str(), question + listingHeader);
  Dialogue fifo("v\n");
  fifo.platform.memoryFiles.makeSpecial(historyFileName);
  runHistoryCommand(fifo.console);
  EXPECT_EQ(fifo.out.str(), question + listingHeader);
  Dialogue clearing("c\n");
  clearing.platform.memoryFiles.makeSpecial(historyFileName);
  clearing.platform.recalledCommandLines = {"#"};
  runHistoryCommand(clearing.console);
  EXPECT_EQ(clearing.out.str(), question + "\nErrore: impossibile cancellare la cronologia.\n");
  EXPECT_EQ(clearing.platform.recalledCommandLines, (std::vector<std::string>{"#"}));
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

TEST(RunHistoryCommand, ClearsOnlyOnCInEitherCaseAndEmptiesTheRecallList) {
  for (std::string answer : {"c", "C", "V"}) {
    Dialogue dialogue(answer + "\n");
    dialogue.platform.memoryFiles.writeFile(historyFileName, "#\n");
    dialogue.platform.recalledCommandLines = {"#"};
    runHistoryCommand(dialogue.console);
    bool cleared = answer != "V";
    EXPECT_EQ(dialogue.out.str(), question + (cleared ? "\nFatto!\n" : listingHeader + "#\n"));
    EXPECT_EQ(dialogue.platform.memoryFiles.content(historyFileName), cleared ? "" : "#\n");
    EXPECT_EQ(dialogue.platform.recalledCommandLines.empty(), cleared) << answer;
  }
}

TEST(RunHistoryCommand, RefusesEveryOtherAnswerAndKeepsTheLog) {
  for (std::string typed : {" \n", "", "\t\n", "x\n", "cc\n", "v \n"}) {
    Dialogue dialogue(typed);
    dialogue.platform.memoryFiles.writeFile(historyFileName, "#\n");
    runHistoryCommand(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), question + "\n\nFunzione non valida.Riprova\n\n") << typed;
    EXPECT_EQ(dialogue.platform.memoryFiles.content(historyFileName), "#\n");
  }
}
