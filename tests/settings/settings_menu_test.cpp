#include "settings/settings_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "console/web.h"
#include "dialogue.h"

namespace {

using Effects = std::vector<std::string>;

const std::string settingsMenu = "Impostazioni\n\n\nComandi:\n\nTema=1\n\nInfo=2\n\n\nPath: ";
const std::string infoMenu =
    "\nInfo:\n\nPrivacy Policy = 1\nTearm and Conditions = 2\nInfo sul programma = 3\n\nPath: ";
const std::string ping = "ping " + std::string(publicHost);

std::string opened(const std::string& path) {
  return "start " + std::string(siteBaseAddress()) + path;
}

struct SettingsRun {
  SettingsRun(std::string typed, bool online) : dialogue(std::move(typed)) {
    dialogue.platform.online = online;
    runSettings(dialogue.console);
  }
  std::string output() const { return dialogue.out.str(); }
  const Effects& effects() const { return dialogue.platform.effects; }

  Dialogue dialogue;
};

}  // namespace

TEST(RunSettings, RefusesAnswersThatAreNotOneByte) {
  for (std::string typed : {" \n", "1 \n", ""}) {
    SettingsRun run(typed, true);
    EXPECT_EQ(run.output(), settingsMenu + "\nFunzione non valida.Riprova\n\n") << typed;
    EXPECT_TRUE(run.effects().empty()) << typed;
  }
}

TEST(RunSettings, AnswersOtherKeysWithoutShowingAnotherMenu) {
  for (std::string typed : {"0\n", "\t\n"}) {
    SettingsRun run(typed, true);
    EXPECT_EQ(run.output(), settingsMenu + "\nFunzione errata\n") << typed;
    EXPECT_TRUE(run.effects().empty()) << typed;
  }
}

TEST(RunInfoPages, OpensTheShippedPagesWithoutTheNetworkWhenNoSiteIsSet) {
  if (siteConfigured())
    GTEST_SKIP() << "built with a site address";
  const std::pair<std::string, std::string> pages[] = {
      {"1", "/site/privacy.html"},
      {"2", "/site/terms%20and%20conditions.html"},
      {"3", "/site/programsfile/info.html"},
  };
  for (const auto& [answer, ending] : pages) {
    SettingsRun run("2\n" + answer + "\nnext\n", false);
    EXPECT_EQ(run.output(), settingsMenu + infoMenu) << answer;
    ASSERT_EQ(run.effects().size(), 1u) << answer;
    EXPECT_TRUE(run.effects()[0].starts_with("start file:///")) << run.effects()[0];
    EXPECT_TRUE(run.effects()[0].ends_with(ending)) << run.effects()[0];
  }
  SettingsRun unknown("2\n7\n", false);
  EXPECT_EQ(unknown.output(), settingsMenu + infoMenu + "\nFunzione non valida.Riprova\n\n");
  EXPECT_TRUE(unknown.effects().empty());
}

TEST(RunInfoPages, ShowsTheAddressWhenNoBrowserStarts) {
  if (siteConfigured())
    GTEST_SKIP() << "built with a site address";
  Dialogue dialogue("2\n1\n");
  dialogue.platform.browserStarts = false;
  runSettings(dialogue.console);
  std::string output = dialogue.out.str();
  std::string expected = settingsMenu + infoMenu + "Apri questo indirizzo nel browser: file:///";
  EXPECT_EQ(output.substr(0, expected.size()), expected);
  EXPECT_TRUE(output.ends_with("/site/privacy.html\n")) << output;
}

TEST(RunInfoPages, OpensEachPageWithItsPathAsItStands) {
  if (!siteConfigured())
    GTEST_SKIP() << "built without a site address";
  const std::pair<std::string, std::string> pages[] = {
      {"1", "/privacy.md"},
      {"2", "/terms%20and%20conditions.md"},
      {"3", "/programsfile/info"},
  };
  for (const auto& [answer, path] : pages) {
    SettingsRun run("2\n" + answer + "\nnext\n", true);
    EXPECT_EQ(run.output(), settingsMenu + infoMenu) << answer;
    EXPECT_EQ(run.effects(), (Effects{ping, opened(path)})) << answer;
    EXPECT_EQ(run.dialogue.pending(), "next\n") << answer;
  }
}

TEST(RunInfoPages, RefusesAnswersThatAreNotOneByteWithoutPinging) {
  for (std::string typed : {" \n", ""}) {
    SettingsRun run("2\n" + typed, true);
    EXPECT_EQ(run.output(), settingsMenu + infoMenu + "\n\nFunzione non valida.Riprova\n\n")
        << typed;
    EXPECT_TRUE(run.effects().empty()) << typed;
  }
}

TEST(RunInfoPages, ChecksTheNetworkBeforeLookingAtTheAnswer) {
  if (!siteConfigured())
    GTEST_SKIP() << "built without a site address";
  SettingsRun unknownOnline("2\n7\n", true);
  EXPECT_EQ(unknownOnline.output(), settingsMenu + infoMenu + "\nFunzione non valida.Riprova\n\n");
  EXPECT_EQ(unknownOnline.effects(), Effects{ping});

  for (std::string answer : {"7", "3"}) {
    SettingsRun offline("2\n" + answer + "\n", false);
    EXPECT_EQ(offline.output(),
              settingsMenu + infoMenu + "\n\nErrore di rete, collegati e riprova.\n\n")
        << answer;
    EXPECT_EQ(offline.effects(), Effects{ping}) << answer;
  }
}
