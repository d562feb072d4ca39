#include "settings/history.h"

#include <gtest/gtest.h>

#include "dialogue.h"
#include "shell/shell.h"

namespace {
const std::string question = "Vuoi vedere(v) o cancellare(c) la cronologia?\nPath: ";
}

TEST(History, KeepsEveryLineExactlyAsTyped) {
  ScratchDirectory directory;
  for (std::string line : {"@", "", " x ", "\t", "helpsite"})
    appendHistory(line);
  EXPECT_EQ(fileContent(historyFileName), "@\n\n x \n\t\nhelpsite\n");
  EXPECT_EQ(loadHistory(), (HistoryList{"@", "", " x ", "\t", "helpsite"}));
}

TEST(History, LoadsALastLineWithoutLineEnd) {
  ScratchDirectory directory;
  writeFile(historyFileName, "a\n\nb");
  EXPECT_EQ(loadHistory(), (HistoryList{"a", "", "b"}));
}

TEST(History, IsEmptyWhenAbsentAndAfterClearing) {
  ScratchDirectory directory;
  EXPECT_TRUE(loadHistory().empty());
  appendHistory("a");
  clearHistory();
  EXPECT_TRUE(std::filesystem::exists(historyFileName));
  EXPECT_EQ(fileContent(historyFileName), "");
}

TEST(RunHistoryCommand, ListsTheLog) {
  ScratchDirectory directory;
  writeFile(historyFileName, "#\n\n@\n");
  EXPECT_EQ(runDialogue(runHistoryCommand, "v\n"),
            question + "\nCronologia delle funzioni: \n\n#\n\n@\n");
}

TEST(RunHistoryCommand, ClearsOnAnyOtherOneByteAnswer) {
  for (std::string answer : {"c", "V", "\t"}) {
    ScratchDirectory directory;
    writeFile(historyFileName, "#\n");
    EXPECT_EQ(runDialogue(runHistoryCommand, answer + "\n"), question + "\nFatto!\n") << answer;
    EXPECT_EQ(fileContent(historyFileName), "");
  }
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
  EXPECT_EQ(fileContent(historyFileName), "@\nx\n");
}

TEST(RunHistoryCommand, AClearedLogRestartsWithTheNextCommand) {
  ScratchDirectory directory;
  Dialogue dialogue("#\n@\nc\n@\nv\nx\n");
  runShell(dialogue.console);
  EXPECT_NE(dialogue.out.str().find("Cronologia delle funzioni: \n\n@\n\n\n"), std::string::npos);
  EXPECT_EQ(fileContent(historyFileName), "@\nx\n");
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
