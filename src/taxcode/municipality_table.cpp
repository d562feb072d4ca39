// The municipality table: insertion at the head of a bucket, look-up, release.
#include "taxcode/municipality_table.h"

#include <utility>

std::size_t nameHash(std::string_view name) {
  // 64 bits cannot overflow for any name that fits in memory.
  std::int64_t sum = 0;
  for (char byte : name)
    sum += static_cast<signed char>(byte);
  constexpr auto buckets = static_cast<std::int64_t>(municipalityBucketCount);
  return static_cast<std::size_t>((sum % buckets + buckets) % buckets);
}

MunicipalityTable::MunicipalityTable() { heads_.fill(MunicipalityRecord::none); }

void MunicipalityTable::reserve(std::size_t count) { records_.reserve(records_.size() + count); }

void MunicipalityTable::insert(std::string name, char letter, std::int32_t number) {
  std::uint32_t& head = heads_[nameHash(name)];
  records_.push_back({std::move(name), letter, number, head});
  head = static_cast<std::uint32_t>(records_.size() - 1);
}

const MunicipalityRecord* MunicipalityTable::find(std::string_view key) const {
  for (std::uint32_t at = heads_[nameHash(key)]; at != MunicipalityRecord::none;
       at = records_[at].next) {
    if (records_[at].name == key)
      return &records_[at];
  }
  return nullptr;
}

void MunicipalityTable::release() {
  heads_.fill(MunicipalityRecord::none);
  // Swapping with an empty vector gives the memory back, which clear() keeps.
  std::vector<MunicipalityRecord>().swap(records_);
}

MunicipalityTable& municipalityTable() {
  static MunicipalityTable table;
  return table;
}

const MunicipalityRecord* findMunicipality(std::string_view key) {
  return municipalityTable().find(key);
}

void releaseMunicipalities() { municipalityTable().release(); }

bool municipalitiesLoaded() { return municipalityTable().loaded(); }
