#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "dialogue.h"
#include "tools/body_composition.h"
#include "tools/generator_commands.h"
#include "tools/random_strings.h"

namespace {

const std::string progress = "\nElaborando...\n\n";

// A screen keeping what each flush showed, and a platform noting with each
// pause what was shown when it began; each pause moves its clock one second on.
class WatchedScreen : public std::stringbuf, public RecordingPlatform {
 public:
  void sleepFor(std::chrono::milliseconds duration) override {
    RecordingPlatform::sleepFor(duration);
    effects.back() += " " + flushed;
    ++clockSeconds;
  }

  std::string flushed;

 protected:
  int sync() override {
    flushed = std::stringbuf::str();
    return 0;
  }
};

}  // namespace

TEST(RunBodyComposition, RefusesNoWeightOrHeightAndReadsOneCharacterAsTheSex) {
  const std::string refused = "(cm): Errore: peso e altezza devono essere maggiori di zero.\n";
  expectEndings(runBodyComposition, {
      {"f 25 55 160\n", "(cm): Massa grassa: 14.3722 Kg\nMassa magra: 40.6278 Kg\n"},
      {"  m 40 70.0 175\n", "(cm): Massa grassa: 14.3 Kg\nMassa magra: 55.7 Kg\n"},
      {"M 30 80 0\n", refused}, {"F 30 0 170\n", refused}, {"F 30 -60 170\n", refused},
      {"Maschio\nF 25 55 160\n", refused}});
  // The line end after the height is left for the command prompt.
  Dialogue dialogue("M 30 80 180\n");
  runBodyComposition(dialogue.console);
  EXPECT_EQ(dialogue.pending(), "\n");
}

TEST(RunCodeGenerator, PrintsTheCodeOfTheSecondAfterShowingEachStepOfTheAnimation) {
  std::istringstream in("16\n");
  WatchedScreen screen;
  screen.clockSeconds = 5485;
  std::ostream out(&screen);
  Console console{in, out, screen};
  runCodeGenerator(console);
  const std::string prompt = "Inserisci la lunghezza del codice: ";
  EXPECT_EQ(screen.flushed, prompt + progress + "Codice generato: 8u8NAbBdgVN1kGtu\n");
  const std::string shown = "sleep 250 " + prompt + "\nElaborando";
  EXPECT_EQ(screen.effects, (std::vector<std::string>{shown, shown + ".", shown + "..",
                                                      "sleep 50 " + prompt + progress}));
  const std::string empty = prompt + progress + "Codice generato: \n";
  expectEndings(runCodeGenerator, {{"-5\n", empty}, {"99999999999\n", empty}, {"", empty}});
}

// The platform's source gives the values 0, 1, 2, ... a block at a time.
TEST(RunPasswordGenerator, PrintsThePasswordOfThePlatformsSourceOrSaysItFailedAndStopsUnread) {
  const std::string_view alphabet =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!@#$%^&*()";
  const std::size_t length = 2 * drawPieceSize + 5;
  std::string password;
  for (std::size_t i = 0; i < length; ++i)
    password += alphabet[i % 72];
  Dialogue dialogue(std::to_string(length) + "\n");
  runPasswordGenerator(dialogue.console);
  EXPECT_EQ(dialogue.out.str(), "Inserire la lunghezza della password: " + progress +
                                    "La password generata: " + password + "\n");
  EXPECT_EQ(dialogue.platform.randomBytesGiven, 33 * randomBlockSize);
  EXPECT_EQ(dialogue.pending(), "\n");
  expectEndings(runPasswordGenerator, {{"-3\n", progress + "La password generata: \n"}});
  Dialogue failing("8\n");
  failing.platform.randomBytesLeft = 0;
  runPasswordGenerator(failing.console);
  EXPECT_TRUE(failing.out.str().ends_with(
      ": \nErrore: generatore casuale del sistema non disponibile, password non generata.\n"));
  // With nobody left reading, a length of two billion must not keep it drawing.
  Dialogue unread("2000000000\n");
  unread.out.setstate(std::ios::badbit);
  unread.platform.randomBytesLeft = 16 * 4 * drawPieceSize;
  runPasswordGenerator(unread.console);
  EXPECT_LE(unread.platform.randomBytesGiven, 4 * drawPieceSize);
}

TEST(RandomStrings, TakeOneValuePerCharacterSkippingTheLastIncompleteBlock) {
  // The given values in order; drawing one more throws.
  auto listedWords = [](std::vector<std::uint32_t> values) -> WordSource {
    return [values, next = std::size_t{0}]() mutable { return values.at(next++); };
  };
  constexpr std::int64_t twoToThe32 = std::int64_t{1} << 32;
  // Only the low 32 bits of the clock count. 4294967294, which would give "C", is
  // skipped: the first value of 1845494695 and the 28th of 1751730735 ("...QTeq").
  std::tuple<std::int32_t, std::int64_t, std::string_view> cases[] = {
      {12, 0, "S9PObXR55RPG"}, {1, 1845494695, "W"}, {10, 1845494695, "WqAdJt8m4k"},
      {16, 5489 + twoToThe32, "8u8NAbBdgVN1kGtu"}, {12, -twoToThe32, "S9PObXR55RPG"},
      {30, 1751730735, "a6UMPbdLBsJpKrjzPCuTPxSPFsQTeq"}};
  for (auto [length, seconds, code] : cases)
    EXPECT_EQ(generateCode(length, seconds), code) << seconds;
  // The engine's 10000th value for 5489 is 4123659995 (5 modulo 62, "F"), and
  // none before it is rejected.
  EXPECT_EQ(generateCode(10000, 5489).substr(9999), "F");
  const std::string code = generateCode(20000, 1700000000);
  const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  EXPECT_EQ(std::set<char>(code.begin(), code.end()), std::set<char>(all.begin(), all.end()));
  EXPECT_EQ(generatePassword(3, listedWords({72, 145, 4294967255})), "ab)");
  // 4294967255 is the last value of the last complete block of 72 (index 71).
  EXPECT_EQ(generatePassword(
                3, listedWords({4294967295, 4294967256, 4294967255, 4294967184, 4294967256, 7})),
            ")ah");
  // The same for codes, with the four values past the last block of 62.
  EXPECT_EQ(drawIndex(listedWords({4294967292, 4294967295, 4294967291}), 62), 61u);
  EXPECT_EQ(drawIndex(listedWords({4294967230}), 62), 0u);
}
