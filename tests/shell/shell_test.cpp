#include "shell/shell.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "console/web.h"
#include "dialogue.h"
#include "settings/history.h"
#include "shell/banner.h"
#include "shell/shell_commands.h"

namespace {

using Effects = std::vector<std::string>;

const std::string promptBlock = "\n\nCosa vuoi fare?\n\nPath: ";
const std::string farewell = "Ok,sto uscendo...\n\n";

std::string banner() {
  std::ostringstream out;
  printBanner(out);
  return out.str();
}

struct Session {
  explicit Session(std::string typed) : dialogue(std::move(typed)) {
    runShell(dialogue.console);
  }
  std::string output() const { return dialogue.out.str(); }
  // What followed the banner.
  std::string afterBanner() const { return output().substr(banner().size()); }
  const Effects& effects() const { return dialogue.platform.effects; }

  Dialogue dialogue;
};

}  // namespace

// The shell transcripts show the dialogue, a restart, end of input, unusable
// lines, saved colours and clearing on a terminal, and a log or an output
// that cannot be written; here are the effects they cannot see.

TEST(CommandLoop, EndOfInputPausesLikeX) {
  Session session("#\n");
  EXPECT_EQ(session.effects().back(), "pause");
}

// A restart returns only when no new copy could be started: this one goes on.
TEST(CommandLoop, GoesOnAfterARestartThatFailed) {
  Session session("l\nk\nx\n");
  EXPECT_EQ(session.afterBanner(), promptBlock + "\nRiavviando...\n" + promptBlock + "\n" +
                                       banner() + promptBlock + "\n" + farewell);
  EXPECT_EQ(session.effects(),
            (Effects{"title Kalvex Terminal", "cls", "cls", "restart", "cls", "cls", "pause"}));
  EXPECT_EQ(session.dialogue.platform.errors, Effects{"restart failed"});
}

// Where the new instance does not replace this one, this one ends with its
// status at once.
TEST(CommandLoop, EndsWithTheStatusOfTheInstanceARestartStarted) {
  Dialogue dialogue("l\nk\n");
  dialogue.platform.newInstanceStatus = 3;
  EXPECT_EQ(runShell(dialogue.console), 3);
  EXPECT_EQ(dialogue.platform.effects.back(), "restart");
}

TEST(CommandLoop, HelpsiteOpensTheFeedbackPageWhenOnline) {
  if (!siteConfigured())
    GTEST_SKIP() << "built without a site address";
  Dialogue dialogue("");
  dialogue.platform.online = true;
  EXPECT_EQ(runCommandLine(dialogue.console, "helpsite"), std::nullopt);
  EXPECT_EQ(dialogue.out.str(), "");
  ASSERT_EQ(dialogue.platform.effects.size(), 2u);
  EXPECT_EQ(dialogue.platform.effects[0], "ping example.com");
  EXPECT_EQ(dialogue.platform.effects[1], "start https://kalvex-terminal.example/feedback");
}

TEST(CommandRecall, MirrorsTheFunctionHistoryWithoutTheToolsAnswers) {
  Dialogue dialogue("a\n1\n5\n#\nx\n");
  dialogue.platform.memoryFiles.writeFile(historyFileName, "k\r\n\nl");
  runShell(dialogue.console);
  EXPECT_EQ(dialogue.platform.recalledCommandLines, (Effects{"k", "", "l", "a", "#", "x"}));
  EXPECT_EQ(dialogue.platform.commandLinesExpected, 3);
}
