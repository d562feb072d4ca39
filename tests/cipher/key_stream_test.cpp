#include "cipher/key_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

TEST(IsCipherKey, TakesAsciiLettersOnly) {
  for (std::string_view key : {"A", "z", "Chiave", "AZaz"})
    EXPECT_TRUE(isCipherKey(key)) << key;
  for (std::string_view key : {"", "k3y", "a b", "caff\xc3\xa8", "\xe8", "@", "[", "`", "{"})
    EXPECT_FALSE(isCipherKey(key)) << key;
  EXPECT_FALSE(isCipherKey(std::string_view("ab\0c", 4)));
}

TEST(KeyStream, BlocksOfAnySizeGiveTheBytesOfOneAtATime) {
  std::mt19937 random(7);
  std::string plain(30000, '\0');
  for (char& c : plain)
    c = static_cast<char>(random());
  for (std::string key : {std::string("Q"), std::string("abcdefg"), std::string(4096, 'x') + "y",
                          std::string(5000, 'K')}) {
    std::string expected = plain;
    for (std::size_t i = 0; i < expected.size(); ++i)
      expected[i] = static_cast<char>(expected[i] ^ key[i % key.size()]);
    std::string pieces = plain;
    KeyStream stream(key);
    for (std::size_t at = 0, size = 1; at < pieces.size(); at += size, size = size * 3 % 9001)
      stream.apply(std::span<char>(pieces).subspan(at, std::min(size, pieces.size() - at)));
    EXPECT_EQ(pieces, expected) << key.size();
  }
}

TEST(KeyStream, CountsPositionsBeyondFourGibibytes) {
  // A multiple of 7; cut to 32 bits it would be 3, giving "def".
  std::string bytes(3, '\0');
  KeyStream("abcdefg", (std::uint64_t{1} << 32) + 3).apply(bytes);
  EXPECT_EQ(bytes, "abc");
}
