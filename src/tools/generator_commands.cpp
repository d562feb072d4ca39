// The code and password generator commands and their progress animation.
#include "tools/generator_commands.h"

#include <chrono>
#include <string_view>

#include "console/input.h"

namespace {

constexpr std::chrono::milliseconds dotPause{250};
constexpr std::chrono::milliseconds closingPause{50};

constexpr std::string_view sourceFailureMessage =
    "Errore: generatore casuale del sistema non disponibile, password non generata.";

// A length that cannot be read counts as 0. The stream's own fallback for a
// number too large would be the largest length, two gigabytes of output.
std::int32_t readLength(Console& console, std::string_view prompt) {
  auto length = readValue<std::int32_t>(console, prompt);
  return console.in.fail() ? 0 : length;
}

PieceSink writeTo(std::ostream& out) {
  // Once the output has failed, nobody sees the rest: a huge length would
  // only keep the program drawing.
  return [&out](std::string_view piece) {
    return static_cast<bool>(out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
  };
}

}  // namespace

void showProgress(Console& console) {
  console.out << std::endl << "Elaborando" << std::flush;
  for (int dot = 0; dot < 3; ++dot) {
    console.platform.sleepFor(dotPause);
    console.out << '.' << std::flush;
  }
  console.out << std::endl << std::endl;
  console.platform.sleepFor(closingPause);
}

void runCodeGenerator(Console& console) {
  std::int32_t length = readLength(console, "Inserisci la lunghezza del codice: ");
  showProgress(console);
  console.out << "Codice generato: ";
  drawCode(length, console.platform.calendarSeconds(), writeTo(console.out));
  console.out << std::endl;
}

void runPasswordGenerator(Console& console) {
  std::int32_t length = readLength(console, "Inserire la lunghezza della password: ");
  showProgress(console);
  console.out << "La password generata: ";
  Platform& platform = console.platform;
  const BlockFill secureBlocks = [&platform](std::span<unsigned char> bytes) {
    return platform.fillRandom(bytes);
  };
  if (!drawPassword(length, secureBlocks, writeTo(console.out)).isOk())
    console.out << std::endl << sourceFailureMessage;
  console.out << std::endl;
}
