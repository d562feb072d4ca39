// The code and password generator commands and their progress animation.
#include "tools/generator_commands.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <exception>
#include <random>
#include <string_view>
#include <system_error>

#if defined(__linux__)
#include <sys/random.h>
#elif !defined(_WIN32)
#include <unistd.h>
#endif

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

// The dialogue of the v command around `draw`, which hands the password to
// the sink it is given.
void runPasswordDialogue(Console& console,
                         const std::function<void(std::int32_t, const PieceSink&)>& draw) {
  std::int32_t length = readLength(console, "Inserire la lunghezza della password: ");
  showProgress(console);
  console.out << "La password generata: ";
  try {
    draw(length, writeTo(console.out));
  } catch (const std::exception&) {
    console.out << std::endl << sourceFailureMessage;
  }
  console.out << std::endl;
}

}  // namespace

void fillFromSystemRandom(std::span<unsigned char> bytes) {
#if defined(_WIN32)
  std::random_device device;
  while (!bytes.empty()) {
    auto value = static_cast<std::uint32_t>(device());
    std::size_t size = std::min(bytes.size(), sizeof value);
    std::memcpy(bytes.data(), &value, size);
    bytes = bytes.subspan(size);
  }
#else
  while (!bytes.empty()) {
#if defined(__linux__)
    // A large request may come back short when a signal arrives; the rest
    // is asked again.
    ssize_t got = getrandom(bytes.data(), bytes.size(), 0);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      throw std::system_error(errno, std::generic_category(), "getrandom");
    bytes = bytes.subspan(static_cast<std::size_t>(got));
#else
    std::size_t size = std::min<std::size_t>(bytes.size(), 256);  // getentropy's most
    if (getentropy(bytes.data(), size) != 0)
      throw std::system_error(errno, std::generic_category(), "getentropy");
    bytes = bytes.subspan(size);
#endif
  }
#endif
}

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
  runCodeGenerator(console, [] { return static_cast<std::int64_t>(std::time(nullptr)); });
}

void runCodeGenerator(Console& console, const CalendarClock& clock) {
  std::int32_t length = readLength(console, "Inserisci la lunghezza del codice: ");
  showProgress(console);
  console.out << "Codice generato: ";
  drawCode(length, clock(), writeTo(console.out));
  console.out << std::endl;
}

void runPasswordGenerator(Console& console) {
  const BlockFill secureBlocks = fillFromSystemRandom;
  runPasswordDialogue(console, [&](std::int32_t length, const PieceSink& take) {
    drawPassword(length, secureBlocks, take);
  });
}

void runPasswordGenerator(Console& console, const WordSource& secureWords) {
  runPasswordDialogue(console, [&](std::int32_t length, const PieceSink& take) {
    drawPassword(length, secureWords, take);
  });
}
