#include "shell/arguments.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Answer {
  std::optional<int> status;
  std::string out;
  std::string err;
};

Answer answer(std::vector<std::string_view> arguments) {
  std::ostringstream out;
  std::ostringstream err;
  Answer result;
  result.status = answerArguments(arguments, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

bool startsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST(AnswerArguments, RefusesEverythingElseWithTheUsageOnStandardError) {
  std::string usage = answer({"--help"}).out;
  const std::vector<std::vector<std::string_view>> refused = {
      {"-h"}, {"--HELP"}, {"help"}, {"--help="}, {""}, {"--version", "--help"}, {"--help", "x"}};
  for (const auto& arguments : refused) {
    Answer bad = answer(arguments);
    EXPECT_EQ(bad.status, badArgumentsStatus) << arguments.front();
    EXPECT_EQ(bad.out, "") << arguments.front();
    EXPECT_TRUE(startsWith(bad.err, "Errore: ")) << bad.err;
    EXPECT_TRUE(bad.err.ends_with("\n\n" + usage)) << bad.err;
  }
  EXPECT_EQ(answer({"-x"}).err.substr(0, answer({"-x"}).err.find('\n')),
            "Errore: argomento non riconosciuto: '-x'.");
}
