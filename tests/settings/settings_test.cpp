#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

#include "console/web.h"
#include "dialogue.h"
#include "settings/history.h"
#include "settings/history_recall.h"
#include "settings/settings_menu.h"
#include "settings/theme.h"

using Effects = std::vector<std::string>;

// Counts the flushes; given a log, each appends to it, as a redirected output.
struct Sink : std::stringbuf {
  FileSystem* log = nullptr;
  int flushes = 0;
  int sync() override {
    ++flushes;
    if (!log)
      return 0;
    bool written = log->appendText(historyFileName, str()).isOk();
    str("");
    return written ? 0 : -1;
  }
};

// The recall list holds the log's last lines, and only a clearing empties it.
TEST(RunHistoryCommand, ListsInLargeBlocksClearsOrRefusesByTheAnswer) {
  const std::string question = "Vuoi vedere(v) o cancellare(c) la cronologia?\nPath: ";
  const std::string refused = question + "\n\nFunzione non valida.Riprova\n\n";
  const std::pair<std::string, bool> cases[] = {{"c\n", true},  {"C\n", true},   {"", false},
                                                {" \n", false}, {"\t\n", false}, {"v \n", false}};
  for (const auto& [typed, cleared] : cases) {
    Dialogue dialogue(typed);
    MemoryFileSystem& files = dialogue.platform.memoryFiles;
    files.writeFile(historyFileName, "#\n");
    dialogue.platform.recalledCommandLines = {"#"};
    runHistoryCommand(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), cleared ? question + "\nFatto!\n" : refused) << typed;
    EXPECT_EQ(files.content(historyFileName), cleared ? "" : "#\n") << typed;
    EXPECT_EQ(dialogue.platform.recalledCommandLines.empty(), cleared) << typed;
  }
  // Line ends straddle and lines outgrow the 64 KiB blocks the log is read in.
  std::string content = std::string(64 * 1024 - 1, 'a') + "\nb\n" + std::string(100000, 'k');
  for (int line = 0; line < 10000; ++line)
    content += "\na";
  for (const char* lineEnd : {"\n", "\r\n"}) {
    MemoryFileSystem files;
    files.endLinesWith(lineEnd);
    ASSERT_TRUE(appendHistory(files, content, false).isOk());
    Sink sink;
    std::ostream out(&sink);
    EXPECT_TRUE(writeHistory(files, out).isOk());
    EXPECT_EQ(sink.str(), content + "\n") << lineEnd[0];
    EXPECT_LE(sink.flushes, 10);
  }
  // `kalvex-terminal > function_history.txt`: what the log held, once.
  Dialogue dialogue("v\n");
  dialogue.platform.memoryFiles.writeFile(historyFileName, "#\n");
  Sink sink;
  sink.log = &dialogue.platform.memoryFiles;
  std::ostream intoTheLog(&sink);
  Console console{dialogue.in, intoTheLog, dialogue.platform};
  runHistoryCommand(console);
  intoTheLog.flush();
  const std::string held = "#\n" + question + "\nCronologia delle funzioni: \n\n";
  EXPECT_EQ(dialogue.platform.memoryFiles.content(historyFileName), held + held);
}

TEST(OfferHistoryForRecall, OffersOnlyTheLatestLinesOfAnOrdinaryLog) {
  RecordingPlatform platform;
  platform.memoryFiles.writeFile(historyFileName, std::string(recalledHistoryFileLimit + 1, 'a'));
  offerHistoryForRecall(platform);
  EXPECT_TRUE(platform.recalledCommandLines.empty());
  std::string content;
  for (std::size_t i = 0; i < recalledHistoryLines + 5; ++i)
    content += std::to_string(i) + "\n";
  platform.memoryFiles.writeFile(historyFileName, content);
  offerHistoryForRecall(platform);
  ASSERT_EQ(platform.recalledCommandLines.size(), recalledHistoryLines);
  EXPECT_EQ(platform.recalledCommandLines.front(), "5");
}

// Blank and missing answers are refused before anything happens. Without a site the
// shipped pages open, network or not; with one, the network is checked first.
TEST(RunSettings, RefusesOrOpensTheInfoPages) {
  const std::string menu = "Impostazioni\n\n\nComandi:\n\nTema=1\n\nInfo=2\n\n\nPath: ";
  const std::string info = menu + "\nInfo:\n\nPrivacy Policy = 1\nTearm and Conditions = 2\n" +
                           "Info sul programma = 3\n\nPath: ";
  const std::string invalid = "\nFunzione non valida.Riprova\n\n";
  const std::string ping = "ping " + std::string(publicHost);
  const std::string site = "start " + std::string(siteBaseAddress());
  const std::string terms = "/terms%20and%20conditions";
  // Typed, output, shipped page opened, effects when the site is online.
  const std::tuple<std::string, std::string, std::string, Effects> cases[] = {
      {" \n", menu + invalid, "", {}},
      {"", menu + invalid, "", {}},
      {"\t\n", menu + "\nFunzione errata\n", "", {}},
      {"\xE8\n", menu + "\nFunzione errata\n", "", {}},
      {{'\0', '\n'}, menu + "\nFunzione errata\n", "", {}},
      {"2\n \n", info + "\n" + invalid, "", {}},
      {"2\n7\n", info + invalid, "", {ping}},
      {"2\n1\n", info, "/site/privacy.html", {ping, site + "/privacy.md"}},
      {"2\n2\n", info, "/site" + terms + ".html", {ping, site + terms + ".md"}},
      {"2\n3\n", info, "/site/programsfile/info.html", {ping, site + "/programsfile/info"}},
  };
  for (const auto& [typed, output, page, online] : cases) {
    Dialogue dialogue(typed);
    dialogue.platform.online = true;
    runSettings(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), output) << typed;
    const Effects& effects = dialogue.platform.effects;
    if (siteConfigured()) {
      EXPECT_EQ(effects, online) << typed;
      continue;
    }
    ASSERT_EQ(effects.size(), page.empty() ? 0u : 1u) << typed;
    if (!page.empty()) {
      EXPECT_TRUE(effects[0].starts_with("start file:///") && effects[0].ends_with(page));
    }
  }
  // Offline, and no browser to start.
  Dialogue noBrowser("2\n1\n");
  noBrowser.platform.browserStarts = false;
  runSettings(noBrowser.console);
  const std::string shown = siteConfigured() ? "\n\n" + std::string(networkErrorMessage) + "\n\n"
                                             : "Apri questo indirizzo nel browser: file:///";
  EXPECT_TRUE(noBrowser.out.str().starts_with(info + shown)) << noBrowser.out.str();
  EXPECT_TRUE(noBrowser.out.str().ends_with(siteConfigured() ? "\n\n" : "/site/privacy.html\n"));
}

// The saved command is run, so nothing but a colour command may pass.
TEST(LoadSavedColourCommand, AcceptsAColourCommandWithOneLineEndAndNothingElse) {
  const std::pair<std::string, std::string> cases[] = {
      {"color 0F", "color 0F"}, {"color 9e\n", "color 9e"}, {"color 9e\r\n", "color 9e"},
      {"color 9e\n\n", ""},     {"color 9e\r", ""},         {"color 9e;rm -rf ~", ""},
      {"color 0g", ""},         {"COLOR 0f", ""},           {std::string(4096, 'c'), ""},
  };
  MemoryFileSystem files;
  for (const auto& [content, expected] : cases) {
    files.writeFile(themeFileName, content);
    EXPECT_EQ(loadSavedColourCommand(files), expected) << content;
  }
}

TEST(RunThemeDialogue, AppliesAndSavesOnlyWhatTheAnswersAllow) {
  const std::string question = "\nVuoi cambiare tema(1) o resettarlo(0)?\nPath: ";
  const std::string background = "\nInserisci il nome del colore del background\nPath: ";
  const std::string names = question + background + "\nOra quello del carattere\nPath: \n";
  const std::string white = "\nErrore nella combinazione. Non puoi usare il bianco per sfondo\n\n";
  const std::string refused = names + "\nErrore nella combinazione.\n\n";
  // Typed, output, colour command applied and saved, input left.
  const std::array<std::string, 4> cases[] = {
      {"1\nblu\ngiallo\n", names, "color 9e", ""},
      {"1\nverde\nverde\nnext\n", names, "color 22", "next\n"},
      {"1\nbianco\n\n", names + white, "", ""},
      {"1\nblu\n giallo\n", refused, "", ""},
      {"1\nBlu\ngiallo\n", refused, "", ""},
      {"1\nblu\ngiallo\r\n", refused, "", ""},
      {"1\n\n\n", refused, "", ""},
      {"1\nbianco \nblu\n", refused, "", ""},
      {"7\nnext\n", question, "color 0f", "next\n"},
      {"+0\nnext\n", question, "color 0f", "next\n"},
      {"\n", question, "", ""},
      {"99999999999999999999\n", question, "", "\n"},
      {"1\n", question + background, "", ""},
  };
  for (const auto& [typed, output, applied, pending] : cases) {
    Dialogue dialogue(typed);
    dialogue.platform.memoryFiles.writeFile(themeFileName, "color 22");
    runThemeDialogue(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), output) << typed;
    EXPECT_EQ(dialogue.platform.effects, applied.empty() ? Effects{} : Effects{applied});
    EXPECT_EQ(dialogue.platform.memoryFiles.content(themeFileName),
              applied.empty() ? "color 22" : applied);
    EXPECT_EQ(dialogue.pending(), pending) << typed;
  }
  // A failed save still applies the colours, says so, and keeps the file as it was.
  for (bool fillsUp : {false, true}) {
    Dialogue dialogue("0\n");
    MemoryFileSystem& files = dialogue.platform.memoryFiles;
    files.writeFile(themeFileName, "color 9e");
    if (fillsUp)
      files.failWritesAfter(3);
    else
      files.refuse(themeFileName);
    runThemeDialogue(dialogue.console);
    EXPECT_EQ(dialogue.platform.effects, Effects{"color 0f"}) << fillsUp;
    EXPECT_EQ(dialogue.platform.errors, Effects{std::string(themeSaveFailedMessage)});
    EXPECT_EQ(files.content(themeFileName), "color 9e");
  }
}
