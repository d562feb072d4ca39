// The municipality table: the municipality file's own text, kept whole, and
// the start of every record in it, grouped by a fixed number of buckets
// chosen by the byte sum of the name. A look-up costs one sum over the key
// and a walk over one bucket's records, read from the text as they stand;
// the table costs the file's size and four bytes a record, so even a file of
// tiny records needs less than about twice its size.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t municipalityBucketCount = 2126;

struct MunicipalityRecord {
  std::string name;
  char letter = 0;
  std::int32_t number = 0;
};

// The bucket of `name`: the sum of its bytes, each counted as a signed 8-bit
// value, brought into 0..2125 by its non-negative remainder. Reducing the sum
// lets names of any length and any bytes be stored.
std::size_t nameHash(std::string_view name);

class MunicipalityTable {
 public:
  MunicipalityTable();

  // Makes the records of `text` (a whole municipality file, its CR LF pairs
  // already folded) the table's, replacing any it held. The format is that
  // of the municipality file; a last record cut short and a record without a
  // number that fits 32 bits are skipped.
  void load(std::string text);
  // The record whose name equals `key` byte for byte; among records of one
  // name, the last in the text.
  std::optional<MunicipalityRecord> find(std::string_view key) const;
  // Frees every record.
  void release();

  std::size_t size() const { return starts_.size(); }

 private:
  std::string text_;
  // Where each record starts in `text_`: bucket by bucket, and in each
  // bucket the later records first.
  std::vector<std::uint32_t> starts_;
  // Bucket b's records are starts_[firsts_[b]] up to starts_[firsts_[b + 1]].
  std::array<std::uint32_t, municipalityBucketCount + 1> firsts_;
};
