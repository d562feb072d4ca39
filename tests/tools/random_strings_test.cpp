#include "tools/random_strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace {

// The expected codes below come from an MT19937 written separately from the
// published algorithm (it gives 4123659995 as the 10000th value for the
// default seed 5489), not from the engine under test.

// 0, 1, 2, ... so that every drawn character shows the value it came from.
WordSource countingWords() {
  return [next = std::uint32_t{0}]() mutable { return next++; };
}

// The given values in order, then a test failure and zeros.
WordSource listedWords(std::vector<std::uint32_t> values) {
  return [values, next = std::size_t{0}]() mutable -> std::uint32_t {
    if (next < values.size())
      return values[next++];
    ADD_FAILURE() << "more values drawn than listed";
    return 0;
  };
}

constexpr std::int64_t twoToThe32 = std::int64_t{1} << 32;

}  // namespace

TEST(GenerateCode, GivesTheCodesOfAPinnedClock) {
  EXPECT_EQ(generateCode(1, 5489), "8");
  EXPECT_EQ(generateCode(16, 5489), "8u8NAbBdgVN1kGtu");
  EXPECT_EQ(generateCode(12, 0), "S9PObXR55RPG");
  // Only the low 32 bits of the clock count.
  EXPECT_EQ(generateCode(16, 5489 + twoToThe32), "8u8NAbBdgVN1kGtu");
  EXPECT_EQ(generateCode(12, -twoToThe32), "S9PObXR55RPG");
  // No value of the first 10000 is rejected, so the last character is the
  // 10000th value of the engine: 4123659995 modulo 62 is 5, "F".
  std::string longCode = generateCode(10000, 5489);
  ASSERT_EQ(longCode.size(), 10000u);
  EXPECT_EQ(longCode.back(), 'F');
}

TEST(GenerateCode, SkipsValuesOfTheLastIncompleteBlock) {
  // The first value of this second is 4294967294: without the rule the code
  // would start with "C".
  EXPECT_EQ(generateCode(1, 1845494695), "W");
  EXPECT_EQ(generateCode(10, 1845494695), "WqAdJt8m4k");
  // The 28th value, 4294967294, is skipped: "...PFsQTeq", not "...PFsQCTeq".
  EXPECT_EQ(generateCode(30, 1751730735), "a6UMPbdLBsJpKrjzPCuTPxSPFsQTeq");
}

TEST(GenerateCode, DrawsEveryLetterAndDigitAndNoSymbol) {
  std::string code = generateCode(20000, 1700000000);
  std::set<char> seen(code.begin(), code.end());
  std::string expected = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  EXPECT_EQ(seen, std::set<char>(expected.begin(), expected.end()));
}

TEST(Generators, GiveNothingForALengthOfZeroOrLess) {
  for (std::int32_t length : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
    EXPECT_EQ(generateCode(length, 5489), "") << length;
    EXPECT_EQ(generatePassword(length, listedWords({})), "") << length;
  }
}

TEST(GeneratePassword, TakesOneValuePerCharacterInAlphabetOrder) {
  EXPECT_EQ(generatePassword(72, countingWords()),
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!@#$%^&*()");
  EXPECT_EQ(generatePassword(3, listedWords({72, 145, 4294967255})), "ab)");
}

TEST(GeneratePassword, SkipsExactlyTheFortyValuesOfTheLastIncompleteBlock) {
  // 4294967255 is the last value of the last complete block of 72 (index 71).
  EXPECT_EQ(generatePassword(
                3, listedWords({4294967295, 4294967256, 4294967255, 4294967184, 4294967256, 7})),
            ")ah");
}

TEST(DrawIndex, SkipsExactlyTheFourValuesOfTheLastIncompleteBlockOfSixtyTwo) {
  EXPECT_EQ(drawIndex(listedWords({4294967292, 4294967295, 4294967291}), 62), 61u);
  EXPECT_EQ(drawIndex(listedWords({4294967230}), 62), 0u);
}

TEST(DrawPassword, HandsLongPasswordsOverInBoundedPiecesThatJoinUp) {
  const auto length = static_cast<std::int32_t>(2 * drawPieceSize + 5);
  std::vector<std::size_t> pieceSizes;
  std::string joined;
  drawPassword(length, countingWords(), [&](std::string_view piece) {
    pieceSizes.push_back(piece.size());
    joined += piece;
    return true;
  });
  EXPECT_EQ(pieceSizes, (std::vector<std::size_t>{drawPieceSize, drawPieceSize, 5}));
  ASSERT_EQ(joined.size(), static_cast<std::size_t>(length));
  for (std::size_t i = 0; i < joined.size(); ++i)
    ASSERT_EQ(joined[i], passwordAlphabet[i % 72]) << i;
}

TEST(DrawCode, StopsAtThePieceTheReceiverRefuses) {
  std::vector<std::size_t> pieceSizes;
  drawCode(std::numeric_limits<std::int32_t>::max(), 0, [&](std::string_view piece) {
    pieceSizes.push_back(piece.size());
    return pieceSizes.size() < 2;
  });
  EXPECT_EQ(pieceSizes, (std::vector<std::size_t>{drawPieceSize, drawPieceSize}));
}

TEST(DrawPassword, TakesBlockValuesFourBytesEachAcrossRefills) {
  // Blocks holding the values 0, 1, 2, ... in the machine's byte order, and
  // one block with a rejected value: the same password as from the values
  // one at a time, each byte used once, refills included.
  std::uint32_t next = 0;
  int fills = 0;
  const BlockFill counting = [&](std::span<unsigned char> bytes) {
    ++fills;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
      std::uint32_t value = next++ == 5 ? std::numeric_limits<std::uint32_t>::max() : next - 1;
      std::memcpy(bytes.data() + at, &value, 4);
    }
    return Status::ok();
  };
  const std::size_t valuesPerBlock = randomBlockSize / 4;
  const auto length = static_cast<std::int32_t>(2 * valuesPerBlock + 3);
  std::string drawn;
  ASSERT_TRUE(drawPassword(length, counting, [&](std::string_view piece) {
                drawn += piece;
                return true;
              }).isOk());
  EXPECT_EQ(fills, 3);
  ASSERT_EQ(drawn.size(), static_cast<std::size_t>(length));
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    std::size_t value = i < 5 ? i : i + 1;  // the value 5 was replaced and rejected
    ASSERT_EQ(drawn[i], passwordAlphabet[value % 72]) << i;
  }
}

