#include "platform/line_editing/line_recall.h"

#include <gtest/gtest.h>

#include <string>

namespace {
RecallList listOf(std::initializer_list<const char*> lines) { return {lines.begin(), lines.end()}; }
}  // namespace

TEST(LineRecall, KeepsCommandLinesAndAnswersApart) {
  LineRecall recall;
  recall.rememberCommandLine("a");
  recall.lineTyped("12");
  EXPECT_EQ(recall.offered(), listOf({"12"}));
  recall.expectCommandLine();
  EXPECT_EQ(recall.offered(), listOf({"a"}));
  // The command line itself joins the commands only when the shell says so.
  recall.lineTyped("o");
  EXPECT_EQ(recall.offered(), listOf({"a"}));
  recall.rememberCommandLine("o");
  EXPECT_EQ(recall.offered(), listOf({"12"}));
  recall.lineTyped("H2O");
  recall.expectCommandLine();
  EXPECT_EQ(recall.offered(), listOf({"a", "o"}));
}

TEST(LineRecall, EndsTheWaitForACommandLineReadWithoutTyping) {
  LineRecall recall;
  recall.expectCommandLine();
  recall.rememberCommandLine("6");  // What a formatted read left on its line.
  recall.lineTyped("7");
  EXPECT_EQ(recall.offered(), listOf({"7"}));
}

TEST(LineRecall, SkipsEmptyLinesDropsTheOldestAndForgetsOnlyCommands) {
  LineRecall recall;
  recall.lineTyped("");
  recall.lineTyped("x");
  for (std::size_t i = 0; i <= LineRecall::capacity; ++i)
    recall.rememberCommandLine(std::to_string(i));
  recall.rememberCommandLine("");
  recall.expectCommandLine();
  ASSERT_EQ(recall.offered().size(), LineRecall::capacity);
  EXPECT_EQ(recall.offered().front(), "1");
  EXPECT_EQ(recall.offered().back(), std::to_string(LineRecall::capacity));
  recall.forgetCommandLines();
  EXPECT_TRUE(recall.offered().empty());
  recall.rememberCommandLine("#");
  EXPECT_EQ(recall.offered(), listOf({"x"}));
}
