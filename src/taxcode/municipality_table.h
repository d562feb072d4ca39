// The municipality table: the records of the municipality file chained in a
// fixed number of buckets chosen by the byte sum of the name, so a look-up
// costs one sum over the key and the walk of one short chain.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t municipalityBucketCount = 2126;

struct MunicipalityRecord {
  static constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

  std::string name;
  char letter = 0;
  std::int32_t number = 0;
  // The index of the next record in the same bucket, or `none`: an index,
  // unlike a pointer, survives the table's storage growing.
  std::uint32_t next = none;
};

// The bucket of `name`: the sum of its bytes, each counted as a signed 8-bit
// value, brought into 0..2125 by its non-negative remainder. Reducing the sum
// lets names of any length and any bytes be stored.
std::size_t nameHash(std::string_view name);

class MunicipalityTable {
 public:
  MunicipalityTable();

  // Makes room for `count` more records, so loading a file grows once.
  void reserve(std::size_t count);

  // Puts the record at the head of its bucket's chain, so among records of
  // one name the one inserted last is found.
  void insert(std::string name, char letter, std::int32_t number);

  // The record whose name equals `key` byte for byte, or null.
  const MunicipalityRecord* find(std::string_view key) const;

  // Frees every record and empties every bucket; the loaded flag stays.
  void release();

  std::size_t size() const { return records_.size(); }

  bool loaded() const { return loaded_; }
  void markLoaded() { loaded_ = true; }

 private:
  std::array<std::uint32_t, municipalityBucketCount> heads_;
  std::vector<MunicipalityRecord> records_;
  bool loaded_ = false;
};

// The one table of the program, loaded by each run of the tax-code command.
MunicipalityTable& municipalityTable();

// The record of the program's table named `key` (a normalised name), or null.
const MunicipalityRecord* findMunicipality(std::string_view key);

void releaseMunicipalities();

// True once any load has succeeded, releases included.
bool municipalitiesLoaded();
