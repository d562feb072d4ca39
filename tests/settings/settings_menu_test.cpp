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
const std::string invalid = "\nFunzione non valida.Riprova\n\n";
const std::string ping = "ping " + std::string(publicHost);

Dialogue& run(Dialogue& dialogue, bool online) {
  dialogue.platform.online = online;
  runSettings(dialogue.console);
  return dialogue;
}

}  // namespace

// The settings transcripts type "5", "ab" and "12"; blank and missing
// answers are refused before anything happens.
TEST(RunSettings, RefusesBlankAndMissingAnswersWithoutEffects) {
  const std::pair<std::string, std::string> cases[] = {
      {" \n", settingsMenu + invalid},
      {"", settingsMenu + invalid},
      {"\t\n", settingsMenu + "\nFunzione errata\n"},
      {"2\n \n", settingsMenu + infoMenu + "\n" + invalid},
      {"2\n", settingsMenu + infoMenu + "\n" + invalid},
  };
  for (const auto& [typed, output] : cases) {
    Dialogue dialogue(typed);
    EXPECT_EQ(run(dialogue, true).out.str(), output) << typed;
    EXPECT_EQ(dialogue.platform.effects, Effects{}) << typed;
  }
}

// Without a site the pages shipped with the program open, network or not;
// when no browser starts, the address is shown instead.
TEST(RunInfoPages, OpensTheShippedPagesWhenNoSiteIsSet) {
  if (siteConfigured())
    GTEST_SKIP() << "built with a site address";
  const std::pair<std::string, std::string> pages[] = {
      {"1", "/site/privacy.html"},
      {"2", "/site/terms%20and%20conditions.html"},
      {"3", "/site/programsfile/info.html"},
  };
  for (const auto& [answer, ending] : pages) {
    Dialogue dialogue("2\n" + answer + "\nnext\n");
    EXPECT_EQ(run(dialogue, false).out.str(), settingsMenu + infoMenu) << answer;
    ASSERT_EQ(dialogue.platform.effects.size(), 1u) << answer;
    EXPECT_TRUE(dialogue.platform.effects[0].starts_with("start file:///"));
    EXPECT_TRUE(dialogue.platform.effects[0].ends_with(ending)) << dialogue.platform.effects[0];
  }
  Dialogue unknown("2\n7\n");
  EXPECT_EQ(run(unknown, false).out.str(), settingsMenu + infoMenu + invalid);
  Dialogue noBrowser("2\n1\n");
  noBrowser.platform.browserStarts = false;
  std::string output = run(noBrowser, false).out.str();
  EXPECT_TRUE(
      output.starts_with(settingsMenu + infoMenu + "Apri questo indirizzo nel browser: file:///"));
  EXPECT_TRUE(output.ends_with("/site/privacy.html\n")) << output;
}

// With a site the network is checked before the answer is looked at.
TEST(RunInfoPages, OpensTheSitesPagesOnlyOnline) {
  if (!siteConfigured())
    GTEST_SKIP() << "built without a site address";
  const std::pair<std::string, std::string> pages[] = {
      {"1", "/privacy.md"},
      {"2", "/terms%20and%20conditions.md"},
      {"3", "/programsfile/info"},
  };
  for (const auto& [answer, path] : pages) {
    Dialogue dialogue("2\n" + answer + "\nnext\n");
    EXPECT_EQ(run(dialogue, true).out.str(), settingsMenu + infoMenu) << answer;
    EXPECT_EQ(dialogue.platform.effects,
              (Effects{ping, "start " + std::string(siteBaseAddress()) + path}));
    EXPECT_EQ(dialogue.pending(), "next\n") << answer;
  }
  Dialogue unknown("2\n7\n");
  EXPECT_EQ(run(unknown, true).out.str(), settingsMenu + infoMenu + invalid);
  EXPECT_EQ(unknown.platform.effects, Effects{ping});
  for (std::string answer : {"7", "3"}) {
    Dialogue offline("2\n" + answer + "\n");
    EXPECT_EQ(run(offline, false).out.str(),
              settingsMenu + infoMenu + "\n\nErrore di rete, collegati e riprova.\n\n");
    EXPECT_EQ(offline.platform.effects, Effects{ping}) << answer;
  }
}
