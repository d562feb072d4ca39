// Fuzzes loading the municipality file from arbitrary contents: the loaded
// table finds every name the file gives, and for a name given more than once
// exactly its last record. What the file gives is read here by a reference
// reader kept as plain as possible, apart from the program's.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <string>

#include "console/file_reading.h"
#include "fuzz_support.h"
#include "platform/memory_file_system.h"
#include "taxcode/municipality_file.h"
#include "taxcode/municipality_table.h"

namespace {

struct Expected {
  char letter;
  std::int32_t number;
};

bool isBlank(char c) { return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos; }

// The number at `at`, as strtoll reads it (a value beyond 32 bits stays
// beyond them). On a failure the blanks and a sign stay consumed, as the C
// library's %d leaves them.
std::optional<long long> scanNumber(std::string_view text, std::size_t& at) {
  while (at < text.size() && isBlank(text[at]))
    ++at;
  std::size_t start = at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-'))
    ++at;
  std::size_t digits = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9')
    ++at;
  if (at == digits)
    return std::nullopt;
  std::string number(text.substr(start, at - start));
  return std::strtoll(number.c_str(), nullptr, 10);
}

// The last record of each name, and how many records there are in all.
std::map<std::string, Expected> readRecords(std::string_view text, std::size_t& count) {
  std::map<std::string, Expected> records;
  count = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t tab = text.find('\t', at);
    if (tab == std::string_view::npos || tab + 1 >= text.size())
      break;
    std::string name(text.substr(at, tab - at));
    char letter = text[tab + 1];
    at = tab + 2;
    std::optional<long long> number = scanNumber(text, at);
    if (!number)
      continue;
    while (at < text.size() && isBlank(text[at]))
      ++at;
    // A number that does not fit 32 bits refuses its record.
    if (*number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max())
      continue;
    records[name] = {letter, static_cast<std::int32_t>(*number)};
    ++count;
  }
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view content = asText(data, size);
  MemoryFileSystem files;
  files.writeFile(std::string(municipalityFileName), std::string(content));
  // No shipped file to fall back on: the table comes from this file alone.
  Result<MunicipalityTable> table = loadMunicipalities(files, {});
  fuzzCheck(table.isOk(), "a readable file loads");

  std::size_t count = 0;
  std::map<std::string, Expected> expected = readRecords(foldLineEnds(std::string(content)), count);
  fuzzCheck(table->size() == count, "every record is stored");
  for (const auto& [name, record] : expected) {
    std::optional<MunicipalityRecord> found = table->find(name);
    fuzzCheck(found.has_value(), "every stored name is found");
    fuzzCheck(
        found->name == name && found->letter == record.letter && found->number == record.number,
        "a name finds its last record");
  }
  table->release();
  fuzzCheck(table->size() == 0, "a release empties the table");
  for (const auto& [name, record] : expected)
    fuzzCheck(!table->find(name), "a released table finds nothing");
  return 0;
}
