#include "platform/line_editing/line_recall.h"

#include <gtest/gtest.h>

#include <string>

namespace {
RecallList listOf(std::initializer_list<const char*> lines) { return {lines.begin(), lines.end()}; }
}  // namespace

// A command line joins the commands only when the shell says so, which also
// ends the wait for it (a formatted read may take it without typing); empty
// lines are skipped, the oldest dropped, and forgetting spares the answers.
TEST(LineRecall, KeepsCommandLinesAndAnswersApart) {
  LineRecall recall;
  recall.lineTyped("");
  recall.lineTyped("12");
  recall.expectCommandLine();
  recall.lineTyped("o");
  EXPECT_EQ(recall.offered(), listOf({}));
  recall.rememberCommandLine("o");
  EXPECT_EQ(recall.offered(), listOf({"12"}));
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
  EXPECT_EQ(recall.offered(), listOf({"12"}));
}
