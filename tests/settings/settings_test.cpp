#include <gtest/gtest.h>

#include "console/web.h"
#include "dialogue.h"
#include "settings/history.h"
#include "settings/history_recall.h"
#include "settings/settings_menu.h"
#include "settings/theme.h"

namespace {

using Effects = std::vector<std::string>;

// Counts the flushes; given a file system, each flush appends what was
// written to the log, as when standard output is redirected into it.
class Sink : public std::stringbuf {
 public:
  FileSystem* log = nullptr;
  int flushes = 0;

 protected:
  int sync() override {
    ++flushes;
    if (!log)
      return 0;
    bool written = log->appendText(historyFileName, str()).isOk();
    str("");
    return written ? 0 : -1;
  }
};

}  // namespace

// The first line end straddles the 64 KiB blocks the log is read in; one line
// is longer than a block; the last has no line end. A flush per line crawls.
TEST(WriteHistory, ListsTheLinesAsAppendedInLargeBlocks) {
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
}

// The recall list holds the log's last lines, and only a clearing empties it.
TEST(RunHistoryCommand, ListsClearsOrRefusesByTheAnswer) {
  const std::string question = "Vuoi vedere(v) o cancellare(c) la cronologia?\nPath: ";
  const std::string listing = question + "\nCronologia delle funzioni: \n\n";
  const std::string refused = question + "\n\nFunzione non valida.Riprova\n\n";
  const struct {
    std::string typed;
    bool fifo;
    std::string output;
    bool cleared;
  } cases[] = {
      {"c\n", false, question + "\nFatto!\n", true},
      {"C\n", false, question + "\nFatto!\n", true},
      {"V\n", false, listing + "#\n", false},
      {"v\n", true, listing, false},
      {"c\n", true, question + "\nErrore: impossibile cancellare la cronologia.\n", false},
      {"", false, refused, false},
      {" \n", false, refused, false},
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
  // `kalvex-terminal > function_history.txt`: what the log held, once.
  Dialogue dialogue("v\n");
  dialogue.platform.memoryFiles.writeFile(historyFileName, "#\n");
  Sink sink;
  sink.log = &dialogue.platform.memoryFiles;
  std::ostream intoTheLog(&sink);
  Console console{dialogue.in, intoTheLog, dialogue.platform};
  runHistoryCommand(console);
  intoTheLog.flush();
  const std::string held = "#\n" + listing;
  EXPECT_EQ(dialogue.platform.memoryFiles.content(historyFileName), held + held);
}

TEST(OfferHistoryForRecall, OffersOnlyTheLatestLinesOfAnOrdinaryLog) {
  RecordingPlatform platform;
  offerHistoryForRecall(platform);
  platform.memoryFiles.makeDirectory(historyFileName);
  offerHistoryForRecall(platform);
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

// Blank and missing answers are refused before anything happens. Without a
// site the shipped pages open, network or not, or their address is shown.
TEST(RunSettings, RefusesOrOpensTheShippedInfoPages) {
  if (siteConfigured())
    GTEST_SKIP() << "built with a site address";
  const std::string menu = "Impostazioni\n\n\nComandi:\n\nTema=1\n\nInfo=2\n\n\nPath: ";
  const std::string info =
      menu +
      "\nInfo:\n\nPrivacy Policy = 1\nTearm and Conditions = 2\nInfo sul programma = 3\n\nPath: ";
  const std::string invalid = "\nFunzione non valida.Riprova\n\n";
  const struct {
    std::string typed, output, page;
  } cases[] = {
      {" \n", menu + invalid, ""},
      {"", menu + invalid, ""},
      {"\t\n", menu + "\nFunzione errata\n", ""},
      {"2\n \n", info + "\n" + invalid, ""},
      {"2\n", info + "\n" + invalid, ""},
      {"2\n7\n", info + invalid, ""},
      {"2\n1\nnext\n", info, "/site/privacy.html"},
      {"2\n2\nnext\n", info, "/site/terms%20and%20conditions.html"},
      {"2\n3\nnext\n", info, "/site/programsfile/info.html"},
  };
  for (const auto& c : cases) {
    Dialogue dialogue(c.typed);
    runSettings(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), c.output) << c.typed;
    const Effects& effects = dialogue.platform.effects;
    ASSERT_EQ(effects.size(), c.page.empty() ? 0u : 1u) << c.typed;
    if (!c.page.empty()) {
      EXPECT_TRUE(effects[0].starts_with("start file:///") && effects[0].ends_with(c.page));
    }
  }
  Dialogue noBrowser("2\n1\n");
  noBrowser.platform.browserStarts = false;
  runSettings(noBrowser.console);
  const std::string shown = noBrowser.out.str();
  EXPECT_TRUE(shown.starts_with(info + "Apri questo indirizzo nel browser: file:///")) << shown;
  EXPECT_TRUE(shown.ends_with("/site/privacy.html\n")) << shown;
}

// With a site the network is checked before the answer is looked at.
TEST(RunSettings, OpensTheSitesPagesOnlyOnline) {
  if (!siteConfigured())
    GTEST_SKIP() << "built without a site address";
  const std::string ping = "ping " + std::string(publicHost);
  const std::string site = "start " + std::string(siteBaseAddress());
  const struct {
    std::string typed;
    bool online;
    Effects effects;
  } cases[] = {
      {"2\n1\nnext\n", true, {ping, site + "/privacy.md"}},
      {"2\n2\nnext\n", true, {ping, site + "/terms%20and%20conditions.md"}},
      {"2\n3\nnext\n", true, {ping, site + "/programsfile/info"}},
      {"2\n7\nnext\n", true, {ping}},
      {"2\n7\nnext\n", false, {ping}},
      {"2\n \nnext\n", true, {}},
  };
  for (const auto& c : cases) {
    Dialogue dialogue(c.typed);
    dialogue.platform.online = c.online;
    runSettings(dialogue.console);
    EXPECT_EQ(dialogue.platform.effects, c.effects) << c.typed;
    EXPECT_EQ(dialogue.pending(), "next\n") << c.typed;
    EXPECT_EQ(dialogue.out.str().ends_with("Errore di rete, collegati e riprova.\n\n"), !c.online);
  }
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
  files.makeDirectory(themeFileName);
  EXPECT_EQ(loadSavedColourCommand(files), "");
}

// color_data.txt holds "color 22".
TEST(RunThemeDialogue, AppliesAndSavesOnlyWhatTheAnswersAllow) {
  const std::string question = "\nVuoi cambiare tema(1) o resettarlo(0)?\nPath: ";
  const std::string background = "\nInserisci il nome del colore del background\nPath: ";
  const std::string names = question + background + "\nOra quello del carattere\nPath: \n";
  const std::string white = "\nErrore nella combinazione. Non puoi usare il bianco per sfondo\n\n";
  const std::string refused = names + "\nErrore nella combinazione.\n\n";
  const struct {
    std::string typed, output, applied, pending;
  } cases[] = {
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
  for (const auto& c : cases) {
    Dialogue dialogue(c.typed);
    dialogue.platform.memoryFiles.writeFile(themeFileName, "color 22");
    runThemeDialogue(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), c.output) << c.typed;
    EXPECT_EQ(dialogue.platform.effects, c.applied.empty() ? Effects{} : Effects{c.applied});
    EXPECT_EQ(dialogue.platform.memoryFiles.content(themeFileName),
              c.applied.empty() ? "color 22" : c.applied);
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
    EXPECT_EQ(dialogue.platform.effects, Effects{"color 0f"}) << failure;
    EXPECT_EQ(dialogue.platform.errors, Effects{std::string(themeSaveFailedMessage)});
    if (failure > 0) {
      EXPECT_EQ(files.content(themeFileName), "color 9e");
    }
  }
}
