#include "tools/generator_commands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogue.h"

namespace {

const std::string progress = "\nElaborando...\n\n";
const std::string codePrompt = "Inserisci la lunghezza del codice: ";
const std::string passwordPrompt = "Inserire la lunghezza della password: ";
const std::vector<std::string> progressPauses = {"sleep 250", "sleep 250", "sleep 250", "sleep 50"};

WordSource countingWords() {
  return [next = std::uint32_t{0}]() mutable { return next++; };
}

// Keeps, at every flush, what had been written so far.
class FlushRecordingBuffer : public std::stringbuf {
 public:
  std::string flushed;

 protected:
  int sync() override {
    flushed = str();
    return 0;
  }
};

// Notes what had reached the screen when each pause began.
class ScreenAtPausePlatform : public RecordingPlatform {
 public:
  explicit ScreenAtPausePlatform(const FlushRecordingBuffer& screen) : screen_(screen) {}
  void sleepFor(std::chrono::milliseconds) override { shownAtPause.push_back(screen_.flushed); }

  std::vector<std::string> shownAtPause;

 private:
  const FlushRecordingBuffer& screen_;
};

bool allFrom(const std::string& text, std::string_view alphabet) {
  return text.find_first_not_of(alphabet) == std::string::npos;
}

}  // namespace

TEST(ShowProgress, PausesAfterShowingEachStepOfTheAnimation) {
  Dialogue dialogue("");
  showProgress(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), progress);
  EXPECT_EQ(dialogue.platform.effects, progressPauses);

  std::istringstream in;
  FlushRecordingBuffer screen;
  std::ostream out(&screen);
  ScreenAtPausePlatform platform(screen);
  Console console{in, out, platform};
  showProgress(console);
  EXPECT_EQ(platform.shownAtPause,
            (std::vector<std::string>{"\nElaborando", "\nElaborando.", "\nElaborando..",
                                      "\nElaborando...\n\n"}));
}

TEST(RunCodeGenerator, PrintsTheCodeOfTheSecondAfterTheAnimation) {
  Dialogue dialogue("16\n");
  std::size_t effectsWhenClockRead = 0;
  runCodeGenerator(dialogue.console, [&] {
    effectsWhenClockRead = dialogue.platform.effects.size();
    return std::int64_t{5489};
  });
  EXPECT_EQ(dialogue.out.str(), codePrompt + progress + "Codice generato: 8u8NAbBdgVN1kGtu\n");
  EXPECT_EQ(effectsWhenClockRead, progressPauses.size());
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunCodeGenerator, PrintsAnEmptyCodeForLengthsThatAreNotPositiveOrNotReadable) {
  for (std::string typed : {"-5\n", "99999999999\n", ""}) {
    Dialogue dialogue(typed);
    runCodeGenerator(dialogue.console, [] { return std::int64_t{5489}; });
    EXPECT_EQ(dialogue.out.str(), codePrompt + progress + "Codice generato: \n") << typed;
    EXPECT_EQ(dialogue.platform.effects, progressPauses) << typed;
  }
}

TEST(RunPasswordGenerator, PrintsThePasswordOfTheGivenSource) {
  Dialogue dialogue("5\n");
  runPasswordGenerator(dialogue.console, countingWords());
  EXPECT_EQ(dialogue.out.str(), passwordPrompt + progress + "La password generata: abcde\n");
  EXPECT_EQ(dialogue.platform.effects, progressPauses);
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunPasswordGenerator, SaysSoWhenTheSourceFails) {
  Dialogue dialogue("8\n");
  runPasswordGenerator(dialogue.console,
                       []() -> std::uint32_t { throw std::runtime_error("no entropy"); });
  EXPECT_EQ(dialogue.out.str(), passwordPrompt + progress +
                                    "La password generata: \nErrore: generatore casuale del "
                                    "sistema non disponibile, password non generata.\n");
}

TEST(RunPasswordGenerator, DrawsANewPasswordFromTheSystemEveryTime) {
  std::string prefix = passwordPrompt + progress + "La password generata: ";
  std::string first = runDialogue(runPasswordGenerator, "24\n");
  std::string second = runDialogue(runPasswordGenerator, "24\n");
  ASSERT_EQ(first.size(), prefix.size() + 24 + 1);
  EXPECT_EQ(first.substr(0, prefix.size()), prefix);
  EXPECT_TRUE(allFrom(first.substr(prefix.size(), 24), passwordAlphabet)) << first;
  EXPECT_NE(first, second);
}

// Found by fuzzing the command loop: with nobody left reading, a length of
// two billion kept the generator drawing for minutes. The source gives up
// long before the whole length, so the test cannot hang either way.
TEST(RunPasswordGenerator, StopsDrawingOnceTheOutputHasFailed) {
  Dialogue dialogue("2000000000\n");
  dialogue.out.setstate(std::ios::badbit);
  std::size_t drawn = 0;
  runPasswordGenerator(dialogue.console, [&drawn]() -> std::uint32_t {
    if (++drawn > 4 * drawPieceSize)
      throw std::runtime_error("still drawing");
    return 0;
  });
  EXPECT_LE(drawn, drawPieceSize);
}
