#include "shell/shell.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dialogue.h"
#include "settings/history.h"
#include "shell/command_table.h"
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

  ScratchDirectory directory;
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

TEST(Startup, SetsTitleAndClearsTwiceWithoutATheme) {
  Session session("x\n");
  EXPECT_EQ(session.effects(), (Effects{"title Kalvex Terminal", "cls", "cls", "pause"}));
}

TEST(Startup, AppliesASavedColourCommandThreeTimes) {
  ScratchDirectory directory;
  writeFile("color_data.txt", "color 9e");
  Dialogue dialogue("x\n");
  runStartup(dialogue.console);
  EXPECT_EQ(dialogue.platform.effects,
            (Effects{"title Kalvex Terminal", "color 9e", "cls", "color 9e", "cls", "color 9e"}));
  EXPECT_EQ(dialogue.out.str(), banner());
}

TEST(Startup, IgnoresAThemeFileThatIsNotAColourCommand) {
  for (std::string content : {"color 9e\n\n", "del /q *", "color 0f & calc", "color zz", ""}) {
    ScratchDirectory directory;
    writeFile("color_data.txt", content);
    Dialogue dialogue("");
    runStartup(dialogue.console);
    EXPECT_EQ(dialogue.platform.effects, (Effects{"title Kalvex Terminal", "cls", "cls"}))
        << content;
  }
}

TEST(CommandLoop, ExitsOnXAfterLoggingIt) {
  Session session("x\n");
  EXPECT_EQ(session.status, 0);
  EXPECT_TRUE(session.dialogue.platform.errors.empty());
  EXPECT_EQ(session.afterBanner(), promptBlock + "\n" + farewell);
  EXPECT_EQ(fileContent(historyFileName), asTextFile("x\n"));
}

TEST(CommandLoop, EndOfInputExitsLikeXWithoutLogging) {
  for (std::string typed : {"", "#\n", "h"}) {
    Session session(typed);
    std::string output = session.output();
    EXPECT_EQ(output.substr(output.size() - farewell.size() - 7), "Path: \n" + farewell) << typed;
    EXPECT_EQ(session.effects().back(), "pause");
  }
  Session silent("");
  EXPECT_FALSE(std::filesystem::exists(historyFileName));
}

TEST(CommandLoop, AnswersUnusableLinesAndUnknownKeysAlike) {
  for (std::string line : {"x ", "X", "", "\t", "HELPSITE", "helpsite ", "A", "b", "0", "xx"}) {
    Session session(line + "\nx\n");
    EXPECT_EQ(session.afterBanner(),
              promptBlock + "\n" + invalidReply + promptBlock + "\n" + farewell)
        << line;
    EXPECT_EQ(fileContent(historyFileName), asTextFile(line + "\nx\n"));
  }
}

TEST(CommandLoop, KeysOfToolsNotYetAvailableAreInvalid) {
  const CommandEntry* missing = nullptr;
  for (const CommandEntry& entry : commandTable()) {
    if (!entry.handler && !missing)
      missing = &entry;
  }
  if (!missing)
    GTEST_SKIP() << "every tool is available";
  Session session(std::string(1, missing->key) + "\nx\n");
  EXPECT_EQ(session.afterBanner(),
            promptBlock + "\n" + invalidReply + promptBlock + "\n" + farewell);
}

TEST(CommandLoop, HelpsiteOpensTheFeedbackPageWhenOnline) {
  ScratchDirectory directory;
  Dialogue dialogue("");
  dialogue.platform.online = true;
  EXPECT_TRUE(runCommandLine(dialogue.console, "helpsite"));
  EXPECT_EQ(dialogue.out.str(), "");
  ASSERT_EQ(dialogue.platform.effects.size(), 2u);
  EXPECT_EQ(dialogue.platform.effects[0], "ping example.com");
  EXPECT_EQ(dialogue.platform.effects[1], "start https://kalvex-terminal.example/feedback");
}

TEST(CommandLoop, HelpsiteReportsANetworkErrorWhenOffline) {
  Session session("helpsite\nx\n");
  EXPECT_EQ(session.afterBanner(), promptBlock + "\n\n\nErrore di rete, collegati e riprova.\n\n" +
                                       promptBlock + "\n" + farewell);
  EXPECT_EQ(fileContent(historyFileName), asTextFile("helpsite\nx\n"));
}

TEST(CommandLoop, RestartEndsTheLoopWithoutPause) {
  Session session("l\n#\n");
  EXPECT_EQ(session.afterBanner(), promptBlock + "\nRiavviando...\n");
  EXPECT_EQ(session.effects().back(), "restart");
  EXPECT_EQ(session.dialogue.pending(), "#\n");
  EXPECT_EQ(fileContent(historyFileName), asTextFile("l\n"));
}

TEST(CommandLoop, ClearScreenClearsTwiceAndShowsTheBanner) {
  Session session("k\nk\nx\n");
  EXPECT_EQ(session.afterBanner(), promptBlock + "\n" + banner() + promptBlock + "\n" + banner() +
                                       promptBlock + "\n" + farewell);
  EXPECT_EQ(session.effects(),
            (Effects{"title Kalvex Terminal", "cls", "cls", "cls", "cls", "cls", "cls", "pause"}));
}

TEST(PrintHelp, WritesTheFourHelpLines) {
  EXPECT_EQ(runDialogue(printHelp, ""),
            "Per eseguire una comando ti basta seguire i seguenti passaggi:\n"
            "1. srivi solo la lettera oppure numero del comando\n"
            "2. inserisci i valori rischiesti o segui la procedura.\n\n"
            "Se hai problemi visita il nostro sito oppure digita il comando 'helpsite'\n");
}

TEST(ReadCommandLine, ForgetsAFailedToolReadAndItsLine) {
  ScratchDirectory directory;
  Dialogue dialogue("abc def\n#\n");
  int number = 0;
  dialogue.in >> number;
  ASSERT_TRUE(dialogue.in.fail());
  std::string line;
  bool reported = false;
  EXPECT_TRUE(readCommandLine(dialogue.console, line, reported));
  EXPECT_EQ(line, "#");
  EXPECT_EQ(fileContent(historyFileName), asTextFile("#\n"));
  EXPECT_EQ(dialogue.out.str(), "\n");
}

TEST(ReadCommandLine, StopsAtEndOfInputAfterAFailedRead) {
  ScratchDirectory directory;
  Dialogue dialogue("abc");
  int number = 0;
  dialogue.in >> number;
  std::string line;
  bool reported = false;
  EXPECT_FALSE(readCommandLine(dialogue.console, line, reported));
}

TEST(CommandLoop, StopsAtTheNextPromptOnceTheOutputHasFailed) {
  ScratchDirectory directory;
  // Room for the banner, the first prompt and part of the command list.
  FailingOutput failing(banner().size() + promptBlock.size() + 20);
  Dialogue dialogue("#\n#\n@\nc\nx\n");
  std::ostream out(&failing);
  Console console{dialogue.in, out, dialogue.platform};
  EXPECT_EQ(runShell(console), outputFailedStatus);
  EXPECT_EQ(fileContent(historyFileName), asTextFile("#\n"));
  EXPECT_EQ(dialogue.platform.errors, (Effects{"output failure"}));
  EXPECT_EQ(dialogue.platform.effects.back(), "cls");  // No pause nobody could see.
  EXPECT_EQ(dialogue.pending(), "#\n@\nc\nx\n");
}

TEST(CommandLoop, ReadsNothingWhenNothingCanBeWritten) {
  ScratchDirectory directory;
  FailingOutput failing(0);
  Dialogue dialogue("#\nx\n");
  std::ostream out(&failing);
  Console console{dialogue.in, out, dialogue.platform};
  EXPECT_EQ(runShell(console), outputFailedStatus);
  EXPECT_FALSE(std::filesystem::exists(historyFileName));
  EXPECT_EQ(dialogue.platform.errors, (Effects{"output failure"}));
}

TEST(CommandLoop, ReportsALogThatCannotBeWrittenOncePerRun) {
  ScratchDirectory directory;
  std::filesystem::create_directory(historyFileName);
  Dialogue dialogue("#\n@\nv\nx\n");
  EXPECT_EQ(runShell(dialogue.console), 0);
  EXPECT_EQ(dialogue.platform.errors, (Effects{std::string(historyAppendFailedMessage)}));
  // The commands ran all the same.
  EXPECT_NE(dialogue.out.str().find("Comandi:"), std::string::npos);
  EXPECT_NE(dialogue.out.str().find("Ok,sto uscendo..."), std::string::npos);
}
