#include "platform/line_editing/line_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Types the scripted lines, one per request, and notes what each request
// showed and offered.
class ScriptedSource : public LineSource {
 public:
  ScriptedSource(std::deque<std::string> lines, std::vector<std::string>& prompts,
                 std::vector<RecallList>& offers)
      : lines_(std::move(lines)), prompts_(prompts), offers_(offers) {}

  std::optional<std::string> readLine(const std::string& prompt,
                                      const RecallList& recall) override {
    prompts_.push_back(prompt);
    offers_.push_back(recall);
    if (lines_.empty())
      return std::nullopt;
    std::string line = lines_.front();
    lines_.pop_front();
    return line;
  }

 private:
  std::deque<std::string> lines_;
  std::vector<std::string>& prompts_;
  std::vector<RecallList>& offers_;
};

struct EditedSession {
  explicit EditedSession(std::deque<std::string> lines)
      : editor(in, out, std::make_unique<ScriptedSource>(std::move(lines), prompts, offers)) {}

  std::istringstream in{"not read"};
  std::ostringstream out;
  std::vector<std::string> prompts;
  std::vector<RecallList> offers;
  LineEditor editor;
};

}  // namespace

TEST(LineEditor, ReadsTypedLinesAsATerminalDeliversThem) {
  EditedSession session({"12 34\n", "\n", " 5\n", "una riga\n", "senza fine"});
  int first = 0, second = 0, third = 0;
  session.out << "Valore: ";
  session.in >> first >> second;
  session.out << "Valore: ";
  // Skipping the line end left pending reads on into the next lines.
  session.in >> third;
  std::string line, rest, last;
  std::getline(session.in, rest);
  std::getline(session.in, line);
  std::getline(session.in, last);
  EXPECT_EQ(first, 12);
  EXPECT_EQ(second, 34);
  EXPECT_EQ(third, 5);
  EXPECT_EQ(rest, "");
  EXPECT_EQ(line, "una riga");
  EXPECT_EQ(last, "senza fine");
  EXPECT_TRUE(session.in.eof());
  // Each request shows what stands on the cursor's line; an answer's Enter
  // starts a new one.
  EXPECT_EQ(session.prompts, (std::vector<std::string>{"Valore: ", "Valore: ", "", "", "", ""}));
}

// An answer is offered again as typed, without its line end.
TEST(LineEditor, OffersCommandLinesAtTheCommandPromptAndAnswersElsewhere) {
  EditedSession session({"a\n", "3\n", "4\n", "x\n"});
  session.editor.rememberCommandLine("#");
  std::string command, answer, next;
  session.editor.expectCommandLine();
  std::getline(session.in, command);
  session.editor.rememberCommandLine(command);
  std::getline(session.in, answer);
  std::getline(session.in, answer);
  session.editor.expectCommandLine();
  std::getline(session.in, next);
  session.editor.forgetCommandLines();
  session.editor.expectCommandLine();
  std::getline(session.in, next);
  EXPECT_EQ(session.offers, (std::vector<RecallList>{{"#"}, {}, {"3"}, {"#", "a"}, {}}));
}

TEST(LineEditor, GivesTheStreamsTheirOwnBuffersBack) {
  std::istringstream in("riga\n");
  std::ostringstream out;
  std::vector<std::string> prompts;
  std::vector<RecallList> offers;
  {
    LineEditor editor(in, out,
                      std::make_unique<ScriptedSource>(std::deque<std::string>{}, prompts, offers));
    out << "Path: ";
    std::string line;
    EXPECT_FALSE(std::getline(in, line));
  }
  in.clear();
  out << "fine";
  std::string line;
  EXPECT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "riga");
  EXPECT_EQ(out.str(), "Path: fine");
}
