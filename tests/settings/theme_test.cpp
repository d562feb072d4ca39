#include "settings/theme.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "dialogue.h"

TEST(IsColourCommand, AcceptsOnlyColourAndTwoDigits) {
  EXPECT_TRUE(isColourCommand("color 0f"));
  EXPECT_TRUE(isColourCommand("color 9e"));
  EXPECT_TRUE(isColourCommand("color 0F"));
  EXPECT_FALSE(isColourCommand(""));
  EXPECT_FALSE(isColourCommand("color 0f\n"));
  EXPECT_FALSE(isColourCommand("color 0"));
  EXPECT_FALSE(isColourCommand("color 0g"));
  EXPECT_FALSE(isColourCommand("COLOR 0f"));
  EXPECT_FALSE(isColourCommand("color  0f"));
  EXPECT_FALSE(isColourCommand("color 0f & del *.*"));
  EXPECT_FALSE(isColourCommand("echo hi"));
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
  ASSERT_TRUE(files.remove(themeFileName).isOk());
  EXPECT_EQ(loadSavedColourCommand(files), "");
  files.makeDirectory(themeFileName);
  EXPECT_EQ(loadSavedColourCommand(files), "");
}

namespace {

using Effects = std::vector<std::string>;

const std::string question = "\nVuoi cambiare tema(1) o resettarlo(0)?\nPath: ";
const std::string namesAsked =
    question +
    "\nInserisci il nome del colore del background\nPath: \nOra quello del carattere\n"
    "Path: \n";
const std::string whiteRefused =
    "\nErrore nella combinazione. Non puoi usare il bianco per sfondo\n\n";
const std::string combinationRefused = "\nErrore nella combinazione.\n\n";

// One run of the dialogue where color_data.txt holds `savedTheme` (none when
// empty).
struct ThemeRun {
  ThemeRun(std::string typed, std::string savedTheme = "") : dialogue(std::move(typed)) {
    if (!savedTheme.empty())
      dialogue.platform.memoryFiles.writeFile(themeFileName, savedTheme);
    runThemeDialogue(dialogue.console);
  }
  std::string output() const { return dialogue.out.str(); }
  const Effects& effects() const { return dialogue.platform.effects; }
  std::string savedTheme() const {
    return dialogue.platform.memoryFiles.content(themeFileName).value_or("(none)");
  }

  Dialogue dialogue;
};

}  // namespace

// The theme transcripts show the dialogue and the saved file; the colours a
// piped run never draws are checked here.

TEST(ColourTable, MatchesWholeLowerCaseNamesOnly) {
  EXPECT_TRUE(isColourName("azzurro"));
  for (std::string text : {"Blu", "BLU", "blu ", " blu", "blu\r", "bl", "bianco", ""})
    EXPECT_FALSE(isColourName(text)) << text;
  EXPECT_EQ(colourDigit("giallo"), "e");
  EXPECT_EQ(colourDigit("bianco"), "");
}

TEST(BuildColourCommand, PutsTheBackgroundFirst) {
  EXPECT_EQ(buildColourCommand("blu", "giallo"), "color 9e");
  EXPECT_EQ(buildColourCommand("nero", "verde"), "color 02");
  EXPECT_EQ(buildColourCommand("verde", "nero"), "color 20");
  EXPECT_EQ(buildColourCommand("bianco", "verde"), "");
  EXPECT_EQ(buildColourCommand("verde", "Blu"), "");
}

TEST(RunThemeDialogue, AppliesAndSavesAValidPair) {
  const std::pair<std::string, std::string> cases[] = {
      {"1\nblu\ngiallo\n", "color 9e"},
  };
  for (const auto& [typed, command] : cases) {
    ThemeRun run(typed, "color 0f");
    EXPECT_EQ(run.output(), namesAsked) << typed;
    EXPECT_EQ(run.effects(), Effects{command}) << typed;
    EXPECT_EQ(run.savedTheme(), command) << typed;
    EXPECT_EQ(run.dialogue.pending(), "") << typed;
  }
}

// The colours apply all the same; the user hears that they will not last,
// and the name keeps what it held.
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
    EXPECT_EQ(dialogue.platform.effects, Effects{"color 0f"}) << failure;
    EXPECT_EQ(dialogue.platform.errors,
              std::vector<std::string>{std::string(themeSaveFailedMessage)});
    EXPECT_EQ(files.content(themeFileName),
              failure == 0 ? std::nullopt : std::optional<std::string>("color 9e"));
  }
}

TEST(RunThemeDialogue, RefusesWhiteAsBackgroundWhateverTheText) {
  for (std::string text : {"bianco", ""}) {
    ThemeRun run("1\nbianco\n" + text + "\n", "color 9e");
    EXPECT_EQ(run.output(), namesAsked + whiteRefused) << text;
    EXPECT_TRUE(run.effects().empty()) << text;
    EXPECT_EQ(run.savedTheme(), "color 9e") << text;
  }
}

TEST(RunThemeDialogue, RefusesAnyOtherPairThatIsNotTwoColourNames) {
  const std::pair<std::string, std::string> pairs[] = {
      {"blu", " giallo"},
      {"", ""},
      {"bianco ", "blu"},
      {"blu", "giallo\r"},
  };
  for (const auto& [background, text] : pairs) {
    ThemeRun run("1\n" + background + "\n" + text + "\n");
    EXPECT_EQ(run.output(), namesAsked + combinationRefused) << background << "/" << text;
    EXPECT_TRUE(run.effects().empty());
    EXPECT_EQ(run.savedTheme(), "(none)");
  }
}

TEST(RunThemeDialogue, ResetsOnAnyOtherNumberAndDropsItsLineEnd) {
  for (std::string number : {"7", "+0"}) {
    ThemeRun run(number + "\nnext\n", "color 9e");
    EXPECT_EQ(run.output(), question) << number;
    EXPECT_EQ(run.effects(), Effects{"color 0f"}) << number;
    EXPECT_EQ(run.savedTheme(), "color 0f") << number;
    EXPECT_EQ(run.dialogue.pending(), "next\n") << number;
  }
}

TEST(RunThemeDialogue, ChangesNothingWhenTheAnswerIsNotANumber) {
  for (std::string typed : {"\n", "", "99999999999999999999\n"}) {
    ThemeRun run(typed, "color 9e");
    EXPECT_EQ(run.output(), question) << typed;
    EXPECT_TRUE(run.effects().empty()) << typed;
    EXPECT_EQ(run.savedTheme(), "color 9e") << typed;
  }
}

TEST(RunThemeDialogue, StopsAskingWhenInputEnds) {
  ThemeRun run("1\n");
  EXPECT_EQ(run.output(), question + "\nInserisci il nome del colore del background\nPath: ");
  EXPECT_TRUE(run.effects().empty());
  EXPECT_EQ(run.savedTheme(), "(none)");
}
