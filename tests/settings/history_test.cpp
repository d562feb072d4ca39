#include "settings/history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "dialogue.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {
const std::string question = "Vuoi vedere(v) o cancellare(c) la cronologia?\nPath: ";
const std::string listingHeader = "\nCronologia delle funzioni: \n\n";

std::string shownHistory() {
  std::ostringstream out;
  writeHistory(out);
  return out.str();
}
}  // namespace

// The history transcripts show the log listed, cleared and refilled.

TEST(History, ShowsTheLinesOfATextFileWrittenHere) {
  ScratchDirectory directory;
  // The first line end straddles the 64 KiB blocks the log is read in.
  std::string longLine(64 * 1024 - 1, 'a');
  writeFile(historyFileName, asTextFile(longLine + "\nb\n"));
  EXPECT_EQ(shownHistory(), longLine + "\nb\n");
}

TEST(History, ShowsALastLineWithoutLineEnd) {
  ScratchDirectory directory;
  writeFile(historyFileName, "a\n\nb");
  EXPECT_EQ(shownHistory(), "a\n\nb\n");
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

// A flush per line made a long log crawl out: it is listed in large blocks.
TEST(History, ListsALongLogWithoutFlushingEveryLine) {
  ScratchDirectory directory;
  std::string content;
  for (int line = 0; line < 10000; ++line)
    content += "a\n";
  writeFile(historyFileName, asTextFile(content));
  FlushCounter counter;
  std::ostream out(&counter);
  writeHistory(out);
  EXPECT_EQ(counter.str(), content);
  EXPECT_LE(counter.flushes, 10);
}

TEST(History, ShowsLinesLongerThanOneBlockWhole) {
  ScratchDirectory directory;
  std::string content = std::string(100000, 'k') + "\n" + std::string(70000, 'z');
  writeFile(historyFileName, content);
  EXPECT_EQ(shownHistory(), content + "\n");
}

TEST(History, IsEmptyWhenAbsentAndAfterClearing) {
  ScratchDirectory directory;
  EXPECT_FALSE(writeHistory(std::cout));
  appendHistory("a");
  EXPECT_TRUE(clearHistory());
  EXPECT_TRUE(std::filesystem::exists(historyFileName));
  EXPECT_EQ(fileContent(historyFileName), "");
}

TEST(RunHistoryCommand, ShowsOnlyTheHeaderForALogThatIsNotAFile) {
  ScratchDirectory directory;
  std::filesystem::create_directory(historyFileName);
  EXPECT_EQ(runDialogue(runHistoryCommand, "v\n"), question + listingHeader);
#ifndef _WIN32
  std::filesystem::remove(historyFileName);
  // Opening a FIFO plainly waits for a writer; reading /dev/zero never ends.
  ASSERT_EQ(mkfifo(historyFileName, 0600), 0);
  EXPECT_EQ(runDialogue(runHistoryCommand, "v\n"), question + listingHeader);
  std::filesystem::remove(historyFileName);
  std::filesystem::create_symlink("/dev/zero", historyFileName);
  EXPECT_EQ(runDialogue(runHistoryCommand, "v\n"), question + listingHeader);
#endif
}

TEST(RunHistoryCommand, ShowsNoMoreThanTheLogHeldWhenAsked) {
  // `kalvex-terminal > function_history.txt`: the listing lands in the log.
  ScratchDirectory directory;
  writeFile(historyFileName, "#\n@\n");
  std::ofstream intoTheLog(historyFileName, std::ios::app);
  Dialogue dialogue("v\n");
  Console console{dialogue.in, intoTheLog, dialogue.platform};
  runHistoryCommand(console);
  intoTheLog.close();
  std::string asked = "#\n@\n" + question + listingHeader;
  // The log file took the listing in text mode.
  EXPECT_EQ(fileContent(historyFileName), "#\n@\n" + asTextFile(question + listingHeader + asked));
}

TEST(RunHistoryCommand, ClearsOnlyOnCInEitherCase) {
  for (std::string answer : {"c", "C"}) {
    ScratchDirectory directory;
    writeFile(historyFileName, "#\n");
    EXPECT_EQ(runDialogue(runHistoryCommand, answer + "\n"), question + "\nFatto!\n") << answer;
    EXPECT_EQ(fileContent(historyFileName), "");
  }
  ScratchDirectory directory;
  writeFile(historyFileName, "#\n");
  EXPECT_EQ(runDialogue(runHistoryCommand, "V\n"), question + listingHeader + "#\n");
}

TEST(RunHistoryCommand, RefusesEveryOtherAnswerAndKeepsTheLog) {
  for (std::string typed : {" \n", "", "\t\n", "x\n", "cc\n", "v \n"}) {
    ScratchDirectory directory;
    writeFile(historyFileName, "#\n");
    EXPECT_EQ(runDialogue(runHistoryCommand, typed),
              question + "\n\nFunzione non valida.Riprova\n\n")
        << typed;
    EXPECT_EQ(fileContent(historyFileName), "#\n");
  }
}

TEST(RunHistoryCommand, EmptiesTheRecallListOnlyWhenClearing) {
  ScratchDirectory directory;
  Dialogue showing("v\n");
  showing.platform.recalledCommandLines = {"#"};
  runHistoryCommand(showing.console);
  EXPECT_EQ(showing.platform.recalledCommandLines, (std::vector<std::string>{"#"}));
  Dialogue clearing("c\n");
  clearing.platform.recalledCommandLines = {"#"};
  runHistoryCommand(clearing.console);
  EXPECT_TRUE(clearing.platform.recalledCommandLines.empty());
}
