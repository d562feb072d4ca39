#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <set>

#include "dialogue.h"
#include "shell/shell_commands.h"

TEST(CommandTable, HasTwentyNineDistinctKeys) {
  std::set<char> keys;
  for (const CommandEntry& entry : commandTable())
    keys.insert(entry.key);
  EXPECT_EQ(commandTable().size(), 29u);
  EXPECT_EQ(keys.size(), 29u);
}

TEST(PrintCommandList, ListsTwentyEightLabelsInTableOrder) {
  std::string listed = runDialogue(printCommandList, "");
  std::string expected = "\nComandi:\n\n";
  for (const CommandEntry& entry : commandTable()) {
    if (entry.key != '#')
      expected += std::string(entry.label) + "\n";
  }
  expected += "\n";
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(listed.find("#"), std::string::npos);
  EXPECT_EQ(listed.find("helpsite"), std::string::npos);
  EXPECT_NE(listed.find("\nriavvia = l\nesci = x\npulisci ui = k\n"), std::string::npos);
  EXPECT_NE(listed.find("\ncalcolo massa molecole = o\n\n"), std::string::npos);
}
