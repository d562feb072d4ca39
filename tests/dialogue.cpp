#include "dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

std::string Dialogue::pending() {
  in.clear();
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string runDialogue(void (*command)(Console&), std::string typed) {
  Dialogue dialogue(std::move(typed));
  command(dialogue.console);
  return dialogue.out.str();
}

void expectEndings(void (*command)(Console&), DialogueRows rows) {
  for (const auto& [typed, ending] : rows) {
    std::string printed = runDialogue(command, typed);
    EXPECT_EQ(printed.substr(printed.size() - std::min(printed.size(), ending.size())), ending)
        << typed;
  }
}
