#include "tools/generator_commands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "dialogue.h"

namespace {

const std::string progress = "\nElaborando...\n\n";
const std::string codePrompt = "Inserisci la lunghezza del codice: ";
const std::string passwordPrompt = "Inserire la lunghezza della password: ";
const std::vector<std::string> progressPauses = {"sleep 250", "sleep 250", "sleep 250", "sleep 50"};

// Notes how many effects had been asked for when the clock was read.
class ClockAfterPausesPlatform : public RecordingPlatform {
 public:
  std::int64_t calendarSeconds() override {
    effectsWhenClockRead = effects.size();
    return 5489;
  }

  std::size_t effectsWhenClockRead = 0;
};

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
  std::istringstream in("16\n");
  std::ostringstream out;
  ClockAfterPausesPlatform platform;
  Console console{in, out, platform};
  runCodeGenerator(console);
  EXPECT_EQ(out.str(), codePrompt + progress + "Codice generato: 8u8NAbBdgVN1kGtu\n");
  EXPECT_EQ(platform.effectsWhenClockRead, progressPauses.size());
}

TEST(RunCodeGenerator, PrintsAnEmptyCodeForLengthsThatAreNotPositiveOrNotReadable) {
  for (std::string typed : {"-5\n", "99999999999\n", ""}) {
    Dialogue dialogue(typed);
    runCodeGenerator(dialogue.console);
    EXPECT_EQ(dialogue.out.str(), codePrompt + progress + "Codice generato: \n") << typed;
    EXPECT_EQ(dialogue.platform.effects, progressPauses) << typed;
  }
}

// The fake source gives the values 0, 1, 2, ...
TEST(RunPasswordGenerator, PrintsThePasswordOfThePlatformsSource) {
  Dialogue dialogue("5\n");
  runPasswordGenerator(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), passwordPrompt + progress + "La password generata: abcde\n");
  EXPECT_EQ(dialogue.platform.effects, progressPauses);
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunPasswordGenerator, SaysSoWhenTheSourceFails) {
  Dialogue dialogue("8\n");
  dialogue.platform.randomBytesLeft = 0;
  runPasswordGenerator(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), passwordPrompt + progress +
                                    "La password generata: \nErrore: generatore casuale del "
                                    "sistema non disponibile, password non generata.\n");
}

// Found by fuzzing the command loop: with nobody left reading, a length of
// two billion kept the generator drawing for minutes. The source gives up
// long before the whole length, so the test cannot hang either way.
TEST(RunPasswordGenerator, StopsDrawingOnceTheOutputHasFailed) {
  Dialogue dialogue("2000000000\n");
  dialogue.out.setstate(std::ios::badbit);
  dialogue.platform.randomBytesLeft = 16 * 4 * drawPieceSize;
  runPasswordGenerator(dialogue.console);
  EXPECT_LE(dialogue.platform.randomBytesGiven, 4 * drawPieceSize);
}
