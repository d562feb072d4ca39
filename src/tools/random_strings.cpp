// Random codes and passwords drawn from streams of 32-bit values.
#include "tools/random_strings.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace {

std::string collect(const std::function<void(const PieceSink&)>& draw) {
  std::string text;
  draw([&text](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

// Values from `limit` up lie in the last, incomplete block of alphabetSize
// values below 2^32: value / alphabetSize == UINT32_MAX / alphabetSize
// exactly when value >= limit.
std::uint32_t usableLimit(std::uint32_t alphabetSize) {
  return std::numeric_limits<std::uint32_t>::max() / alphabetSize * alphabetSize;
}

// The drawing loop, with the values' source inlined: a call through a
// std::function per value would cost as much as the drawing itself. A source
// that gives no value (it failed) ends the drawing, the piece being drawn
// untaken.
template <typename NextWord>
void drawWith(std::string_view alphabet, std::int32_t length, NextWord&& nextWord,
              const PieceSink& take) {
  if (length <= 0)
    return;
  const auto alphabetSize = static_cast<std::uint32_t>(alphabet.size());
  const std::uint32_t limit = usableLimit(alphabetSize);
  std::string piece(std::min(static_cast<std::size_t>(length), drawPieceSize), '\0');
  std::size_t filled = 0;
  for (std::int32_t drawn = 0; drawn < length; ++drawn) {
    std::optional<std::uint32_t> value;
    do {
      value = nextWord();
      if (!value)
        return;
    } while (*value >= limit);
    piece[filled++] = alphabet[*value % alphabetSize];
    if (filled == piece.size()) {
      if (!take(piece))
        return;
      filled = 0;
    }
  }
  if (filled != 0)
    take(std::string_view(piece).substr(0, filled));
}

// Every value of a source that cannot fail.
template <typename NextWord>
auto always(NextWord& nextWord) {
  return [&nextWord]() -> std::optional<std::uint32_t> { return nextWord(); };
}

// Values four bytes at a time out of blocks that `fill` refills; nothing once
// a refill has failed, which `status()` then tells.
class BlockWords {
 public:
  explicit BlockWords(const BlockFill& fill) : fill_(fill), block_(randomBlockSize) {}

  std::optional<std::uint32_t> operator()() {
    if (next_ == block_.size()) {
      status_ = fill_(block_);
      if (!status_.isOk())
        return std::nullopt;
      next_ = 0;
    }
    std::uint32_t value;
    std::memcpy(&value, block_.data() + next_, sizeof value);
    next_ += sizeof value;
    return value;
  }

  const Status& status() const { return status_; }

 private:
  const BlockFill& fill_;
  Status status_;
  std::vector<unsigned char> block_;
  std::size_t next_ = randomBlockSize;
};

}  // namespace

std::uint32_t drawIndex(const WordSource& nextWord, std::uint32_t alphabetSize) {
  const std::uint32_t limit = usableLimit(alphabetSize);
  for (;;) {
    std::uint32_t value = nextWord();
    if (value < limit)
      return value % alphabetSize;
  }
}

void drawCharacters(std::string_view alphabet, std::int32_t length, const WordSource& nextWord,
                    const PieceSink& take) {
  drawWith(alphabet, length, always(nextWord), take);
}

void drawCode(std::int32_t length, std::int64_t calendarSeconds, const PieceSink& take) {
  std::mt19937 engine(static_cast<std::uint32_t>(calendarSeconds));
  auto nextWord = [&engine] { return static_cast<std::uint32_t>(engine()); };
  drawWith(codeAlphabet, length, always(nextWord), take);
}

std::string generateCode(std::int32_t length, std::int64_t calendarSeconds) {
  return collect([&](const PieceSink& take) { drawCode(length, calendarSeconds, take); });
}

void drawPassword(std::int32_t length, const WordSource& secureWords, const PieceSink& take) {
  drawCharacters(passwordAlphabet, length, secureWords, take);
}

Status drawPassword(std::int32_t length, const BlockFill& secureBlocks, const PieceSink& take) {
  if (length <= 0)
    return Status::ok();
  BlockWords words(secureBlocks);
  drawWith(passwordAlphabet, length, words, take);
  return words.status();
}

std::string generatePassword(std::int32_t length, const WordSource& secureWords) {
  return collect([&](const PieceSink& take) { drawPassword(length, secureWords, take); });
}
