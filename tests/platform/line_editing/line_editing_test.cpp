#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/line_editing/line_editor.h"
#include "platform/line_editing/line_tracking.h"

namespace {

// Types the scripted lines, one per request, noting what each request showed
// and offered.
struct ScriptedSource : LineSource {
  explicit ScriptedSource(std::vector<std::string> typed) : lines(std::move(typed)) {}
  std::optional<std::string> readLine(const std::string& prompt,
                                      const RecallList& recall) override {
    prompts.push_back(prompt);
    offers.push_back(recall);
    return next < lines.size() ? std::optional(lines[next++]) : std::nullopt;
  }
  std::vector<std::string> lines;
  std::size_t next = 0;
  std::vector<std::string> prompts;
  std::vector<RecallList> offers;
};

}  // namespace

TEST(LineEditor, ReadsLinesAsATerminalDeliversThemAndGivesTheStreamsBack) {
  std::istringstream in("riga\n");
  std::ostringstream out;
  {
    auto source = std::make_unique<ScriptedSource>(
        std::vector<std::string>{"12 34\n", "\n", " 5\n", "una riga\n", "senza fine"});
    ScriptedSource& typed = *source;
    LineEditor editor(in, out, std::move(source));
    int first = 0, second = 0, third = 0;
    out << "Valore: ";
    in >> first >> second;
    out << "Valore: ";
    // Skipping the line end left pending reads on into the next lines.
    in >> third;
    std::vector<std::string> lines(3);
    for (std::string& line : lines)
      std::getline(in, line);
    EXPECT_EQ(std::tuple(first, second, third), std::tuple(12, 34, 5));
    EXPECT_EQ(lines, (std::vector<std::string>{"", "una riga", "senza fine"}));
    EXPECT_TRUE(in.eof());
    // Each request shows what stands on the cursor's line; an answer's Enter
    // starts a new one.
    EXPECT_EQ(typed.prompts, (std::vector<std::string>{"Valore: ", "Valore: ", "", "", "", ""}));
    out << "Path: ";
  }
  in.clear();
  out << "fine";
  std::string line;
  EXPECT_TRUE(std::getline(in, line) && line == "riga");
  EXPECT_EQ(out.str(), "Valore: Valore: Path: fine");
}

// A command line joins the commands only when the shell remembers it, which
// also ends the wait for one (a formatted read may take it without typing).
// An answer is offered again as typed, without its line end; empty lines are
// skipped, the oldest dropped, and forgetting the commands spares the answers.
TEST(LineEditor, OffersCommandLinesAtTheCommandPromptAndAnswersElsewhere) {
  std::istringstream in;
  std::ostringstream out;
  auto source = std::make_unique<ScriptedSource>(
      std::vector<std::string>{"a\n", "3\n", "\n", "4\n", "5\n", "6\n", "7\n"});
  ScriptedSource& typed = *source;
  LineEditor editor(in, out, std::move(source));
  std::string line;
  editor.rememberCommandLine("#");
  editor.expectCommandLine();
  std::getline(in, line);
  editor.rememberCommandLine(line);
  std::getline(in, line);
  std::getline(in, line);
  editor.expectCommandLine();
  std::getline(in, line);
  for (std::size_t i = 0; i <= LineRecall::capacity; ++i)
    editor.rememberCommandLine(std::to_string(i));
  editor.rememberCommandLine("");
  editor.expectCommandLine();
  std::getline(in, line);
  editor.forgetCommandLines();
  editor.expectCommandLine();
  std::getline(in, line);
  editor.rememberCommandLine("#");
  std::getline(in, line);
  RecallList longest = typed.offers.at(4);
  ASSERT_EQ(longest.size(), LineRecall::capacity);
  EXPECT_EQ(longest.front(), "1");
  EXPECT_EQ(longest.back(), std::to_string(LineRecall::capacity));
  typed.offers.erase(typed.offers.begin() + 4);
  EXPECT_EQ(typed.offers, (std::vector<RecallList>{{"#"}, {}, {"3"}, {"#", "a"}, {}, {"3"}}));
}

TEST(LineTracking, KnowsWhatStandsOnTheCursorsLine) {
  std::ostringstream terminal;
  LineTrackingBuffer tracker(terminal.rdbuf());
  std::ostream out(&tracker);
  out << "Cosa vuoi fare?" << std::endl << std::endl << "Path: ";
  EXPECT_EQ(tracker.currentLine(), "Path: ");
  out << 'x' << 12 << "\rValore: ";
  EXPECT_EQ(tracker.currentLine(), "Valore: ");
  out << "\nInserisci: ";
  tracker.startNewLine();
  EXPECT_EQ(tracker.currentLine(), "");
  out << std::string(100000, 'a') << "Path: ";
  EXPECT_LE(tracker.currentLine().size(), 8192u);
  EXPECT_TRUE(tracker.currentLine().ends_with("aPath: "));

  const std::pair<const char*, const char*> visible[] = {
      {"\033]0;Kalvex Terminal\007Sì\033]0;x\033\\!", "Sì!"},
      {"\033[H\033[2J\033[3JA\033(B\x01\x7f", "A"},
      {"ab\tc\t", "ab      c       "},
      {"è\tx", "è       x"},
      {"\xa8x", "x"},
      {"\033[", ""}};
  for (auto [line, shown] : visible)
    EXPECT_EQ(visibleText(line), shown) << line;
  const std::tuple<std::string, int, const char*> returns[] = {
      {std::string(10, 'a'), 10, "\r"},
      {std::string(25, 'a'), 10, "\r\033[2A"},
      {"èèèèèèèèèèè", 10, "\r\033[1A"},
      {std::string(25, 'a'), 0, "\r"}};
  for (const auto& [line, columns, back] : returns)
    EXPECT_EQ(returnToLineStart(line, columns), back) << line << " " << columns;
}
