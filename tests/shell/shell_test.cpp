#include "shell/shell.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "console/web.h"
#include "dialogue.h"
#include "settings/history.h"
#include "shell/arguments.h"
#include "shell/banner.h"

using Effects = std::vector<std::string>;

TEST(AnswerArguments, RefusesAllButOneHelpOrVersionWithTheUsageOnStandardError) {
  std::ostringstream usage, none;
  EXPECT_EQ(answerArguments({"--help"}, usage, none), 0);
  EXPECT_EQ(none.str(), "");
  const std::vector<std::vector<std::string_view>> refused = {
      {"-h"}, {"--HELP"}, {"help"}, {"--help="}, {""}, {"--help", "x"}, {"--version", "--help"}};
  for (const auto& arguments : refused) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(answerArguments(arguments, out, err), badArgumentsStatus) << arguments.front();
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(err.str().starts_with("Errore: ")) << err.str();
    EXPECT_TRUE(err.str().ends_with("\n\n" + usage.str())) << err.str();
  }
}

// Effects, the recall list (only the log's CR LF pairs fold), lines announced to it, and a
// restart that failed (this instance goes on) or started one that ended with status 3.
TEST(RunShell, EndsPausesAndRecallsAsTheSessionsCannotShow) {
  const Effects start = {"title Kalvex Terminal", "cls", "cls"};
  // Typed, exit status of a new instance, status, lines announced, effects, recalled.
  const std::tuple<std::string, std::optional<int>, int, int, Effects, Effects> cases[] = {
      {"#", {}, 0, 2, {"pause"}, {"#"}},
      {"l\nk\nx\n", {}, 0, 3, {"restart", "cls", "cls", "pause"}, {"l", "k", "x"}},
      {"l\nk\n", 3, 3, 1, {"restart"}, {"l"}},
      {"a\n1\n5\n#\nx\n", {}, 0, 3, {"pause"}, {"a", "#", "x"}},
  };
  for (const auto& [typed, newInstance, status, announced, effects, recalled] : cases) {
    Dialogue dialogue(typed);
    dialogue.platform.memoryFiles.writeFile(historyFileName, "k\r\n\r\r\nl\r");
    dialogue.platform.newInstanceStatus = newInstance;
    EXPECT_EQ(runShell(dialogue.console), status) << typed;
    Effects all = start;
    all.insert(all.end(), effects.begin(), effects.end());
    EXPECT_EQ(dialogue.platform.effects, all) << typed;
    Effects offered = {"k", "\r", "l\r"};
    offered.insert(offered.end(), recalled.begin(), recalled.end());
    EXPECT_EQ(dialogue.platform.recalledCommandLines, offered) << typed;
    EXPECT_EQ(dialogue.platform.commandLinesExpected, announced) << typed;
    EXPECT_TRUE(dialogue.platform.memoryFiles.content(historyFileName)->ends_with(
        recalled.back() + "\n"));
  }
  Dialogue restart("l\nk\nx\n");
  runShell(restart.console);
  std::ostringstream banner;
  printBanner(banner);
  const std::string prompt = "\n\nCosa vuoi fare?\n\nPath: \n";
  EXPECT_EQ(restart.out.str(), banner.str() + prompt + "Riavviando...\n" + prompt + banner.str() +
                                   prompt + "Ok,sto uscendo...\n\n");
  EXPECT_EQ(restart.platform.errors, Effects{"restart failed"});
}

// With a site its feedback page opens once the network is checked.
TEST(RunCommandLine, HelpsiteOpensTheHelpPage) {
  Dialogue dialogue("");
  dialogue.platform.online = true;
  EXPECT_EQ(runCommandLine(dialogue.console, "helpsite"), std::nullopt);
  EXPECT_EQ(dialogue.out.str(), "");
  const Effects& effects = dialogue.platform.effects;
  ASSERT_EQ(effects.size(), siteConfigured() ? 2u : 1u);
  EXPECT_TRUE(effects.back().ends_with(siteConfigured() ? "/feedback" : "/programsfile/info.html"));
}

// Only a whole line naming a command runs it: no blank, case or prefix slips through.
TEST(RunCommandLine, RefusesEveryOtherLine) {
  for (std::string line : {"", "X", "x ", " x", "HELPSITE", "xx"}) {
    Dialogue dialogue("");
    EXPECT_EQ(runCommandLine(dialogue.console, line), std::nullopt) << line;
    EXPECT_EQ(dialogue.out.str(), "\nFunzione non valida.Riprova\n\n") << line;
  }
}
