// The repeating key and its application to a block of bytes.
#include "cipher/key_stream.h"

#include <algorithm>

#include "console/ascii.h"

namespace {

constexpr std::size_t shortestPattern = 4096;

}  // namespace

bool isCipherKey(std::string_view key) {
  return !key.empty() && std::all_of(key.begin(), key.end(), isAsciiLetter);
}

KeyStream::KeyStream(std::string_view key, std::uint64_t position) {
  std::size_t repetitions = (shortestPattern + key.size() - 1) / key.size();
  pattern_.reserve(repetitions * key.size());
  for (std::size_t i = 0; i < repetitions; ++i)
    pattern_.append(key);
  next_ = static_cast<std::size_t>(position % pattern_.size());
}

void KeyStream::apply(std::span<char> bytes) {
  char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    std::size_t run = std::min(left, pattern_.size() - next_);
    const char* key = pattern_.data() + next_;
    for (std::size_t i = 0; i < run; ++i)
      data[i] = static_cast<char>(data[i] ^ key[i]);
    data += run;
    left -= run;
    next_ += run;
    if (next_ == pattern_.size())
      next_ = 0;
  }
}
