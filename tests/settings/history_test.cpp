#include "settings/history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "dialogue.h"
#include "shell/shell.h"

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

TEST(History, KeepsEveryLineExactlyAsTyped) {
  ScratchDirectory directory;
  for (std::string line : {"@", "", " x ", "\t", "helpsite"})
    EXPECT_TRUE(appendHistory(line));
  EXPECT_EQ(fileContent(historyFileName), asTextFile("@\n\n x \n\t\nhelpsite\n"));
  EXPECT_EQ(shownHistory(), "@\n\n x \n\t\nhelpsite\n");
}

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

TEST(RunHistoryCommand, ListsTheLog) {
  ScratchDirectory directory;
  writeFile(historyFileName, "#\n\n@\n");
  EXPECT_EQ(runDialogue(runHistoryCommand, "v\n"), question + listingHeader + "#\n\n@\n");
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

TEST(RunHistoryCommand, ClearsOnAnyOtherOneByteAnswer) {
  for (std::string answer : {"c", "V", "\t"}) {
    ScratchDirectory directory;
    writeFile(historyFileName, "#\n");
    EXPECT_EQ(runDialogue(runHistoryCommand, answer + "\n"), question + "\nFatto!\n") << answer;
    EXPECT_EQ(fileContent(historyFileName), "");
  }
}

TEST(RunHistoryCommand, SaysSoWhenTheLogCannotBeCleared) {
  ScratchDirectory directory;
  std::filesystem::create_directory(historyFileName);
  EXPECT_EQ(runDialogue(runHistoryCommand, "c\n"),
            question + "\nErrore: impossibile cancellare la cronologia.\n");
}

TEST(RunHistoryCommand, RefusesAnswersThatAreNotOneByteAndKeepsTheLog) {
  for (std::string typed : {"vv\n", " \n", "\n", ""}) {
    ScratchDirectory directory;
    writeFile(historyFileName, "#\n");
    EXPECT_EQ(runDialogue(runHistoryCommand, typed),
              question + "\n\nFunzione non valida.Riprova\n\n")
        << typed;
    EXPECT_EQ(fileContent(historyFileName), "#\n");
  }
}

TEST(RunHistoryCommand, TheFirstListingShowsTheCommandThatAskedForIt) {
  ScratchDirectory directory;
  Dialogue dialogue("@\nv\nx\n");
  runShell(dialogue.console);
  EXPECT_NE(dialogue.out.str().find("Cronologia delle funzioni: \n\n@\n\n\nCosa vuoi fare?"),
            std::string::npos);
  EXPECT_EQ(fileContent(historyFileName), asTextFile("@\nx\n"));
}

TEST(RunHistoryCommand, AClearedLogRestartsWithTheNextCommand) {
  ScratchDirectory directory;
  Dialogue dialogue("#\n@\nc\n@\nv\nx\n");
  runShell(dialogue.console);
  EXPECT_NE(dialogue.out.str().find("Cronologia delle funzioni: \n\n@\n\n\n"), std::string::npos);
  EXPECT_EQ(fileContent(historyFileName), asTextFile("@\nx\n"));
}
