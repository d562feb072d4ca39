#include "settings/theme.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogue.h"

// The saved command is run, so nothing but a colour command may pass.
TEST(IsColourCommand, AcceptsOnlyColourAndTwoDigits) {
  for (const char* command : {"color 0f", "color 9e", "color 0F"})
    EXPECT_TRUE(isColourCommand(command)) << command;
  for (const char* command : {"", "color 0f\n", "color 0", "color 0g", "COLOR 0f", "color  0f",
                              "color 0f & del *.*", "echo hi"})
    EXPECT_FALSE(isColourCommand(command)) << command;
}

TEST(LoadSavedColourCommand, AcceptsOneTrailingLineEndAndNothingElse) {
  MemoryFileSystem files;
  const std::pair<std::string, std::string> cases[] = {
      {"color 9e", "color 9e"},     {"color 9e\n", "color 9e"}, {"color 9e\r\n", "color 9e"},
      {"color 9e\n\n", ""},         {"color 9e\r", ""},         {"color 9e;rm -rf ~", ""},
      {std::string(4096, 'c'), ""},
  };
  for (const auto& [content, expected] : cases) {
    files.writeFile(themeFileName, content);
    EXPECT_EQ(loadSavedColourCommand(files), expected) << content;
  }
  files.makeDirectory(themeFileName);
  EXPECT_EQ(loadSavedColourCommand(files), "");
}

// The theme transcripts show a change, a reset and the refusals of white;
// these are the answers they do not type. color_data.txt holds "color 22".
TEST(RunThemeDialogue, AppliesAndSavesOnlyWhatTheAnswersAllow) {
  const std::string question = "\nVuoi cambiare tema(1) o resettarlo(0)?\nPath: ";
  const std::string background = "\nInserisci il nome del colore del background\nPath: ";
  const std::string names = question + background + "\nOra quello del carattere\nPath: \n";
  const std::string white = "\nErrore nella combinazione. Non puoi usare il bianco per sfondo\n\n";
  const std::string refused = names + "\nErrore nella combinazione.\n\n";
  const struct {
    std::string typed, output, applied, saved, pending;
  } cases[] = {
      {"1\nbianco\n\n", names + white, "", "color 22", ""},
      {"1\nblu\n giallo\n", refused, "", "color 22", ""},
      {"1\nBlu\ngiallo\n", refused, "", "color 22", ""},
      {"1\nblu\ngiallo\r\n", refused, "", "color 22", ""},
      {"1\nbianco \nblu\n", refused, "", "color 22", ""},
      {"1\n\n\n", refused, "", "color 22", ""},
      {"7\nnext\n", question, "color 0f", "color 0f", "next\n"},
      {"+0\nnext\n", question, "color 0f", "color 0f", "next\n"},
      {"\n", question, "", "color 22", ""},
      {"99999999999999999999\n", question, "", "color 22", "\n"},
      {"1\n", question + background, "", "color 22", ""},
  };
  for (const auto& c : cases) {
    Dialogue dialogue(c.typed);
    dialogue.platform.memoryFiles.writeFile(themeFileName, "color 22");
    runThemeDialogue(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), c.output) << c.typed;
    std::vector<std::string> applied;
    if (!c.applied.empty())
      applied.push_back(c.applied);
    EXPECT_EQ(dialogue.platform.effects, applied) << c.typed;
    EXPECT_EQ(dialogue.platform.memoryFiles.content(themeFileName), c.saved) << c.typed;
    EXPECT_EQ(dialogue.pending(), c.pending) << c.typed;
  }
}

// The colours apply all the same; the user hears that they will not last,
// and the name keeps what it held, even when the disk fills mid-write.
TEST(RunThemeDialogue, SaysWhenTheThemeCannotBeSaved) {
  for (int failure = 0; failure < 3; ++failure) {
    Dialogue dialogue("0\n");
    MemoryFileSystem& files = dialogue.platform.memoryFiles;
    files.writeFile(themeFileName, "color 9e");
    if (failure == 0)
      files.makeDirectory(themeFileName);
    else if (failure == 1)
      files.refuse(themeFileName);
    else
      files.failWritesAfter(3);
    runThemeDialogue(dialogue.console);
    EXPECT_EQ(dialogue.platform.effects, std::vector<std::string>{"color 0f"}) << failure;
    EXPECT_EQ(dialogue.platform.errors,
              std::vector<std::string>{std::string(themeSaveFailedMessage)});
    EXPECT_EQ(files.content(themeFileName),
              failure == 0 ? std::nullopt : std::optional<std::string>("color 9e"));
  }
}
