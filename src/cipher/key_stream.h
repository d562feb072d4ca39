// The cipher's key and the byte stream it stands for: the key repeated
// without end, byte i of a file going with key byte i modulo the key's
// length. XOR with that stream both enciphers and deciphers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// True for a key of one or more ASCII letters (A-Z, a-z) and nothing else;
// bytes above 0x7F, accented letters included, are not letters.
bool isCipherKey(std::string_view key);

class KeyStream {
 public:
  // `key` must not be empty. The stream starts at byte `position` of the file.
  explicit KeyStream(std::string_view key, std::uint64_t position = 0);

  // XORs `bytes` with the stream and moves on by their count, so a file
  // handed over in blocks of any sizes comes out as if taken byte by byte.
  void apply(std::span<char> bytes);

 private:
  // Whole repetitions of the key, long enough that even a one-letter key is
  // applied in runs the compiler can vectorise.
  std::string pattern_;
  std::size_t next_ = 0;
};
