// Fuzzes the whole program in-process: the fuzzer's bytes are everything
// typed at the keyboard, the recording platform stands in for the operating
// system, and the files live in the scratch directory, emptied before each
// input. Whatever is typed, the loop returns once input ends, output it can
// no longer write included; it asks the system only for the effects it is
// known to use; it never prints a result as inf or nan; and it leaves no
// half-written file behind.
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <string>

#include "console/console.h"
#include "console/web.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "platform/recording_platform.h"
#include "shell/shell.h"

namespace {

namespace fs = std::filesystem;

// Output that keeps nothing and fails once `limit` bytes have been written,
// as a reader that stops reading would: no input can make a run's output
// grow without bound in memory.
class BoundedOutput : public std::streambuf {
 public:
  explicit BoundedOutput(std::size_t limit) : left_(limit) {}

 protected:
  int_type overflow(int_type byte) override {
    if (traits_type::eq_int_type(byte, traits_type::eof()))
      return traits_type::not_eof(byte);
    if (left_ == 0)
      return traits_type::eof();
    --left_;
    char c = traits_type::to_char_type(byte);
    remember(std::string_view(&c, 1));
    return byte;
  }

  std::streamsize xsputn(const char_type* text, std::streamsize count) override {
    auto accepted =
        static_cast<std::size_t>(count) < left_ ? static_cast<std::size_t>(count) : left_;
    left_ -= accepted;
    remember(std::string_view(text, accepted));
    return static_cast<std::streamsize>(accepted);
  }

 public:
  // True once a result was printed as inf or nan.
  bool printedNonFinite() const { return nonFinite_; }

 private:
  // The last bytes written, enough to see a result label and its value.
  void remember(std::string_view text) {
    tail_ += text;
    for (std::string_view value : {"inf", "-inf", "nan", "-nan"}) {
      for (std::string_view label : {"Risultato: ", " = ", " e': "}) {
        if (tail_.find(std::string(label) + std::string(value)) != std::string::npos)
          nonFinite_ = true;
      }
    }
    if (tail_.size() > 64)
      tail_.erase(0, tail_.size() - 32);
  }

  std::size_t left_;
  std::string tail_;
  bool nonFinite_ = false;
};

constexpr std::size_t outputLimit = 256 * 1024;

bool isBlank(char c) { return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos; }

// The cipher writes wherever a typed file name points. So that every file
// stays in the scratch directory, a "/" opening a word (a path from the root)
// and the second dot of each ".." (a climb out) become "_". Elsewhere they
// mean little: an expression opening with "/" has no value either way.
std::string confineFileNames(std::string_view typed) {
  std::string text(typed);
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool wordStart = i == 0 || isBlank(text[i - 1]);
    if ((text[i] == '/' && wordStart) || (text[i] == '.' && i > 0 && text[i - 1] == '.'))
      text[i] = '_';
  }
  return text;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The effects the program is known to ask for, and nothing else: above all,
// never a colour command other than two colour digits.
bool isKnownEffect(std::string_view effect) {
  if (effect == "title Kalvex Terminal" || effect == "cls" || effect == "pause" ||
      effect == "restart" || effect == std::string("ping ") + std::string(publicHost))
    return true;
  if (startsWith(effect, "color "))
    return effect.size() == 8 && isColourDigit(effect[6]) && isColourDigit(effect[7]);
  if (startsWith(effect, "start ")) {
    // Without a site address only the pages shipped with the program open.
    if (!siteConfigured())
      return startsWith(effect.substr(6), "file:///");
    return startsWith(effect.substr(6), std::string(siteBaseAddress()) + "/");
  }
  return effect == "sleep 250" || effect == "sleep 50";
}

bool isLeftOverTemporary(const std::string& name) {
  std::size_t at = name.rfind(".tmp-");
  return at != std::string::npos && name.size() == at + 13 &&
         name.find_first_not_of("0123456789abcdef", at + 5) == std::string::npos;
}

void checkScratchDirectory() {
  fuzzCheck(fs::equivalent(fs::current_path(), scratchDirectory()),
            "the working directory never changes");
  for (const fs::directory_entry& entry : fs::directory_iterator(scratchDirectory())) {
    fuzzCheck(entry.is_regular_file() && !entry.is_symlink(), "only plain files are made");
    fuzzCheck(!isLeftOverTemporary(entry.path().filename().string()),
              "no half-written file is left behind");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ScratchSession session;
  std::istringstream in(confineFileNames(asText(data, size)));
  BoundedOutput sink(outputLimit);
  std::ostream out(&sink);
  RecordingPlatform platform;
  // A restart starts a new instance that ends at once, as at the end of input.
  platform.newInstanceStatus = 0;
  // Both answers of the connectivity check get their turn.
  platform.online = size % 2 == 0;
  Console console{in, out, platform};

  int status = runShell(console);

  bool outputFailed = out.fail();
  fuzzCheck(status == (outputFailed ? outputFailedStatus : 0), "the exit status tells the output");
  if (outputFailed) {
    fuzzCheck(!platform.errors.empty() && platform.errors.back() == "output failure",
              "a failed output is reported");
  } else {
    fuzzCheck(platform.errors.empty(), "nothing else is reported on standard error");
    fuzzCheck(!platform.effects.empty() &&
                  (platform.effects.back() == "pause" || platform.effects.back() == "restart"),
              "the loop ends only through exit or restart");
  }
  for (const std::string& effect : platform.effects)
    fuzzCheck(isKnownEffect(effect), "only known effects are asked for");
  // Typed text can come back (the history listing, a formula's name), so the
  // check holds for input that never spells the words.
  std::string_view typed = asText(data, size);
  if (typed.find("inf") == std::string_view::npos && typed.find("nan") == std::string_view::npos)
    fuzzCheck(!sink.printedNonFinite(), "a printed result is never inf or nan");
  checkScratchDirectory();
  return 0;
}
