// Random codes and passwords drawn from streams of 32-bit values.
#include "tools/random_strings.h"

#include <algorithm>
#include <limits>
#include <random>

namespace {

std::string collect(const std::function<void(const PieceSink&)>& draw) {
  std::string text;
  draw([&text](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

}  // namespace

std::uint32_t drawIndex(const WordSource& nextWord, std::uint32_t alphabetSize) {
  const std::uint32_t incompleteBlock = std::numeric_limits<std::uint32_t>::max() / alphabetSize;
  for (;;) {
    std::uint32_t value = nextWord();
    if (value / alphabetSize != incompleteBlock)
      return value % alphabetSize;
  }
}

void drawCharacters(std::string_view alphabet, std::int32_t length, const WordSource& nextWord,
                    const PieceSink& take) {
  if (length <= 0)
    return;
  const auto alphabetSize = static_cast<std::uint32_t>(alphabet.size());
  std::string piece;
  piece.reserve(std::min(static_cast<std::size_t>(length), drawPieceSize));
  for (std::int32_t drawn = 0; drawn < length; ++drawn) {
    piece.push_back(alphabet[drawIndex(nextWord, alphabetSize)]);
    if (piece.size() == drawPieceSize) {
      if (!take(piece))
        return;
      piece.clear();
    }
  }
  if (!piece.empty())
    take(piece);
}

void drawCode(std::int32_t length, std::int64_t calendarSeconds, const PieceSink& take) {
  std::mt19937 engine(static_cast<std::uint32_t>(calendarSeconds));
  WordSource nextWord = [&engine] { return static_cast<std::uint32_t>(engine()); };
  drawCharacters(codeAlphabet, length, nextWord, take);
}

std::string generateCode(std::int32_t length, std::int64_t calendarSeconds) {
  return collect([&](const PieceSink& take) { drawCode(length, calendarSeconds, take); });
}

void drawPassword(std::int32_t length, const WordSource& secureWords, const PieceSink& take) {
  drawCharacters(passwordAlphabet, length, secureWords, take);
}

std::string generatePassword(std::int32_t length, const WordSource& secureWords) {
  return collect([&](const PieceSink& take) { drawPassword(length, secureWords, take); });
}
