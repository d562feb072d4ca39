// The municipality table: reading records where they stand in the file's text.
#include "taxcode/municipality_table.h"

#include <limits>
#include <utility>

#include "console/ascii.h"

namespace {

void skipBlanks(std::string_view text, std::size_t& at) {
  while (at < text.size() && isAsciiSpace(text[at]))
    ++at;
}

// What `%d` reads at `at`: blanks, an optional sign, then digits. Nothing when
// no digit follows (the sign stays consumed, as the C library leaves it) or
// when the value does not fit 32 bits (its digits consumed).
std::optional<std::int32_t> readNumber(std::string_view text, std::size_t& at) {
  skipBlanks(text, at);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-'))
    negative = text[at++] == '-';
  if (at >= text.size() || !isAsciiDigit(text[at]))
    return std::nullopt;
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; at < text.size() && isAsciiDigit(text[at]); ++at)
    magnitude = std::min(magnitude * 10 + (text[at] - '0'), limit + 1);
  if (magnitude > (negative ? limit : limit - 1))
    return std::nullopt;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

struct ScannedRecord {
  std::string_view name;
  char letter = 0;
  std::optional<std::int32_t> number;
};

// Reads the record starting at `at` and moves `at` to where the next one
// starts. False when the text ends before the record's letter.
bool scanRecord(std::string_view text, std::size_t& at, ScannedRecord& record) {
  std::size_t tab = text.find('\t', at);
  if (tab == std::string_view::npos || tab + 1 >= text.size())
    return false;
  record.name = text.substr(at, tab - at);
  record.letter = text[tab + 1];
  at = tab + 2;
  std::size_t digitsEnd = at;
  record.number = readNumber(text, digitsEnd);
  // A failed `%d` leaves the bytes after it to start the next name; a number
  // too large is read whole and then dropped.
  bool digitsRead = digitsEnd > at && isAsciiDigit(text[digitsEnd - 1]);
  if (record.number || digitsRead) {
    at = digitsEnd;
    skipBlanks(text, at);
  } else {
    at = digitsEnd;
  }
  return true;
}

}  // namespace

std::size_t nameHash(std::string_view name) {
  // 64 bits cannot overflow for any name that fits in memory.
  std::int64_t sum = 0;
  for (char byte : name)
    sum += static_cast<signed char>(byte);
  constexpr auto buckets = static_cast<std::int64_t>(municipalityBucketCount);
  return static_cast<std::size_t>((sum % buckets + buckets) % buckets);
}

MunicipalityTable::MunicipalityTable() { firsts_.fill(0); }

void MunicipalityTable::load(std::string text) {
  release();
  // Offsets are 32 bits: a larger text (never a municipality file, which is
  // bounded far below) is not taken.
  if (text.size() > std::numeric_limits<std::uint32_t>::max())
    return;
  text_ = std::move(text);
  std::string_view all = text_;
  // First pass: how many records each bucket gets.
  std::array<std::uint32_t, municipalityBucketCount + 1> ends{};
  ScannedRecord record;
  for (std::size_t at = 0; at < all.size() && scanRecord(all, at, record);) {
    if (record.number)
      ++ends[nameHash(record.name) + 1];
  }
  for (std::size_t bucket = 1; bucket <= municipalityBucketCount; ++bucket)
    ends[bucket] += ends[bucket - 1];
  firsts_ = ends;
  starts_.assign(ends[municipalityBucketCount], 0);
  // Second pass: each bucket filled from its end, so later records come first.
  for (std::size_t at = 0; at < all.size();) {
    std::size_t start = at;
    if (!scanRecord(all, at, record))
      break;
    if (record.number)
      starts_[--ends[nameHash(record.name) + 1]] = static_cast<std::uint32_t>(start);
  }
}

std::optional<MunicipalityRecord> MunicipalityTable::find(std::string_view key) const {
  std::size_t bucket = nameHash(key);
  std::string_view all = text_;
  for (std::uint32_t i = firsts_[bucket]; i < firsts_[bucket + 1]; ++i) {
    std::size_t at = starts_[i];
    ScannedRecord record;
    if (scanRecord(all, at, record) && record.number && record.name == key)
      return MunicipalityRecord{std::string(record.name), record.letter, *record.number};
  }
  return std::nullopt;
}

void MunicipalityTable::release() {
  firsts_.fill(0);
  // Swapping with empty ones gives the memory back, which clear() keeps.
  std::vector<std::uint32_t>().swap(starts_);
  std::string().swap(text_);
}
