#include "shell/shell.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/web.h"
#include "dialogue.h"
#include "settings/history.h"
#include "shell/arguments.h"
#include "shell/banner.h"

using Effects = std::vector<std::string>;

TEST(AnswerArguments, RefusesAllButOneHelpOrVersionWithTheUsageOnStandardError) {
  std::ostringstream usage;
  answerArguments({"--help"}, usage, usage);
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

// What the sessions cannot see: effects, the recall list and the command lines
// announced to it, and a restart that failed (this instance goes on) or
// started one that ended with status 3.
TEST(RunShell, EndsPausesAndRecallsAsTheSessionsCannotShow) {
  const Effects start = {"title Kalvex Terminal", "cls", "cls"};
  const struct {
    std::string typed;
    std::optional<int> newInstance;
    int status, announced;
    Effects effects, recalled;
  } cases[] = {
      {"#\n", {}, 0, 2, {"pause"}, {"#"}},
      {"l\nk\nx\n", {}, 0, 3, {"restart", "cls", "cls", "pause"}, {"l", "k", "x"}},
      {"l\nk\n", 3, 3, 1, {"restart"}, {"l"}},
      {"a\n1\n5\n#\nx\n", {}, 0, 3, {"pause"}, {"a", "#", "x"}},
  };
  for (const auto& c : cases) {
    Dialogue dialogue(c.typed);
    dialogue.platform.memoryFiles.writeFile(historyFileName, "k\r\n\nl");
    dialogue.platform.newInstanceStatus = c.newInstance;
    EXPECT_EQ(runShell(dialogue.console), c.status) << c.typed;
    Effects effects = start;
    effects.insert(effects.end(), c.effects.begin(), c.effects.end());
    EXPECT_EQ(dialogue.platform.effects, effects) << c.typed;
    Effects recalled = {"k", "", "l"};
    recalled.insert(recalled.end(), c.recalled.begin(), c.recalled.end());
    EXPECT_EQ(dialogue.platform.recalledCommandLines, recalled) << c.typed;
    EXPECT_EQ(dialogue.platform.commandLinesExpected, c.announced) << c.typed;
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

TEST(RunCommandLine, HelpsiteOpensTheFeedbackPageWhenOnline) {
  if (!siteConfigured())
    GTEST_SKIP() << "built without a site address";
  Dialogue dialogue("");
  dialogue.platform.online = true;
  EXPECT_EQ(runCommandLine(dialogue.console, "helpsite"), std::nullopt);
  EXPECT_EQ(dialogue.out.str(), "");
  EXPECT_EQ(dialogue.platform.effects,
            (Effects{"ping example.com", "start https://kalvex-terminal.example/feedback"}));
}
