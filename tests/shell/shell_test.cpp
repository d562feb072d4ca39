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
const std::string invalidReply = "\nFunzione non valida.Riprova\n\n";
const std::string farewell = "Ok,sto uscendo...\n\n";

std::string banner() {
  std::ostringstream out;
  printBanner(out);
  return out.str();
}

struct Session {
  explicit Session(std::string typed) : dialogue(std::move(typed)) {
    status = runShell(dialogue.console);
  }
  std::string output() const { return dialogue.out.str(); }
  // What followed the banner.
  std::string afterBanner() const { return output().substr(banner().size()); }
  const Effects& effects() const { return dialogue.platform.effects; }
  std::optional<std::string> history() const {
    return dialogue.platform.memoryFiles.content(historyFileName);
  }

  Dialogue dialogue;
  int status = -1;
};

// An output that takes `room` bytes and then fails, as a closed pipe or a
// full disk does.
class FailingOutput : public std::streambuf {
 public:
  explicit FailingOutput(std::size_t room) : room_(room) {}
  std::string written;

 protected:
  int_type overflow(int_type byte) override {
    if (room_ == 0 || traits_type::eq_int_type(byte, traits_type::eof()))
      return traits_type::eof();
    --room_;
    written.push_back(traits_type::to_char_type(byte));
    return byte;
  }

 private:
  std::size_t room_;
};

}  // namespace

// The shell transcripts show the dialogue, a restart, end of input, and a log
// or an output that cannot be written; here are the effects they cannot see.

TEST(Startup, AppliesASavedColourCommandThreeTimes) {
  Dialogue dialogue("x\n");
  dialogue.platform.memoryFiles.writeFile("color_data.txt", "color 9e");
  runStartup(dialogue.console);
  EXPECT_EQ(dialogue.platform.effects,
            (Effects{"title Kalvex Terminal", "color 9e", "cls", "color 9e", "cls", "color 9e"}));
  EXPECT_EQ(dialogue.out.str(), banner());
}

TEST(Startup, IgnoresAThemeFileThatIsNotAColourCommand) {
  for (std::string content : {"color 9e\n\n", "del /q *", "color 0f & calc", "color zz", ""}) {
    Dialogue dialogue("");
    dialogue.platform.memoryFiles.writeFile("color_data.txt", content);
    runStartup(dialogue.console);
    EXPECT_EQ(dialogue.platform.effects, (Effects{"title Kalvex Terminal", "cls", "cls"}))
        << content;
  }
}

TEST(CommandLoop, EndOfInputPausesLikeX) {
  Session session("#\n");
  EXPECT_EQ(session.effects().back(), "pause");
}

TEST(CommandLoop, AnswersUnusableLinesAndUnknownKeysAlike) {
  for (std::string line : {"helpsite ", "A", "xx"}) {
    Session session(line + "\nx\n");
    EXPECT_EQ(session.afterBanner(),
              promptBlock + "\n" + invalidReply + promptBlock + "\n" + farewell)
        << line;
    EXPECT_EQ(session.history(), line + "\nx\n");
  }
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

TEST(CommandLoop, HelpsiteReportsANetworkErrorWhenOffline) {
  if (!siteConfigured())
    GTEST_SKIP() << "built without a site address";
  Session session("helpsite\nx\n");
  EXPECT_EQ(session.afterBanner(), promptBlock + "\n\n\nErrore di rete, collegati e riprova.\n\n" +
                                       promptBlock + "\n" + farewell);
  EXPECT_EQ(session.history(), "helpsite\nx\n");
}

TEST(CommandLoop, ClearScreenClearsTwiceAndShowsTheBanner) {
  Session session("k\nk\nx\n");
  EXPECT_EQ(session.afterBanner(), promptBlock + "\n" + banner() + promptBlock + "\n" + banner() +
                                       promptBlock + "\n" + farewell);
  EXPECT_EQ(session.effects(),
            (Effects{"title Kalvex Terminal", "cls", "cls", "cls", "cls", "cls", "cls", "pause"}));
}

TEST(CommandLoop, StopsAtTheNextPromptOnceTheOutputHasFailed) {
  // Room for the banner, the first prompt and part of the command list.
  FailingOutput failing(banner().size() + promptBlock.size() + 20);
  Dialogue dialogue("#\n#\n@\nc\nx\n");
  std::ostream out(&failing);
  Console console{dialogue.in, out, dialogue.platform};
  EXPECT_EQ(runShell(console), outputFailedStatus);
  EXPECT_EQ(dialogue.platform.memoryFiles.content(historyFileName), "#\n");
  EXPECT_EQ(dialogue.platform.errors, (Effects{"output failure"}));
  EXPECT_EQ(dialogue.platform.effects.back(), "cls");  // No pause nobody could see.
  EXPECT_EQ(dialogue.pending(), "#\n@\nc\nx\n");
}

TEST(CommandRecall, MirrorsTheFunctionHistoryWithoutTheToolsAnswers) {
  Dialogue dialogue("a\n1\n5\n#\nx\n");
  dialogue.platform.memoryFiles.writeFile(historyFileName, "k\r\n\nl");
  runShell(dialogue.console);
  EXPECT_EQ(dialogue.platform.recalledCommandLines, (Effects{"k", "", "l", "a", "#", "x"}));
  EXPECT_EQ(dialogue.platform.commandLinesExpected, 3);
}
