// Loading the shipped municipality file, as every run of the tax-code command
// does, and looking names up in the loaded table.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "console/file_reading.h"
#include "platform/host_file_system.h"
#include "taxcode/municipality_file.h"
#include "taxcode/municipality_table.h"

namespace {

std::filesystem::path shippedFile() {
  return shippedDataDirectories().back() / municipalityFileName;
}

std::optional<std::string> readWholeFile(const std::string& path, std::size_t limit) {
  HostFileSystem files;
  Result<std::string> text = readWholeFile(files, path, limit);
  if (!text.isOk())
    return std::nullopt;
  return std::move(*text);
}

// The whole command's load: read the file, fold its line ends, fill a table
// and release it. The target is well under 10 ms.
void loadShippedFile(benchmark::State& state) {
  const std::string path = shippedFile().string();
  std::size_t records = 0;
  for (auto _ : state) {
    std::optional<std::string> text = readWholeFile(path, municipalityFileLimit);
    if (!text) {
      state.SkipWithError("the shipped municipality file cannot be read");
      return;
    }
    MunicipalityTable table;
    addMunicipalityRecords(foldLineEnds(std::move(*text)), table);
    records = table.size();
    benchmark::DoNotOptimize(table.find("ROMA"));
    table.release();
  }
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(loadShippedFile)->Unit(benchmark::kMillisecond);

// 10,000 look-ups of names of the file, as typed at the municipality question
// would be after normalisation.
void findTenThousandNames(benchmark::State& state) {
  std::optional<std::string> text = readWholeFile(shippedFile().string(), municipalityFileLimit);
  if (!text) {
    state.SkipWithError("the shipped municipality file cannot be read");
    return;
  }
  MunicipalityTable table;
  addMunicipalityRecords(foldLineEnds(*text), table);
  std::vector<std::string> names;
  for (std::size_t at = 0; names.size() < 10000;) {
    std::size_t tab = text->find('\t', at);
    if (tab == std::string::npos) {
      at = 0;
      continue;
    }
    names.push_back(text->substr(at, tab - at));
    at = text->find('\n', tab) + 1;
  }
  for (auto _ : state) {
    std::size_t found = 0;
    for (const std::string& name : names)
      found += table.find(name).has_value();
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(findTenThousandNames)->Unit(benchmark::kMicrosecond);

#ifdef __linux__
std::size_t residentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t total = 0, resident = 0;
  statm >> total >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// 60 MB of the tiniest records: the memory the table takes beyond the text
// handed to it should stay within about the text's size (target: "grown"
// under twice "input").
void tinyRecordsMemory(benchmark::State& state) {
  std::string text;
  text.reserve(60u << 20);
  while (text.size() + 5 <= (60u << 20))
    text += "a\tH1\n";
  for (auto _ : state) {
    std::string copy = text;
    std::size_t before = residentBytes();
    MunicipalityTable table;
    table.load(std::move(copy));
    state.counters["grown_MB"] = static_cast<double>(residentBytes() - before) / (1 << 20);
    benchmark::DoNotOptimize(table.find("a"));
  }
  state.counters["input_MB"] = static_cast<double>(text.size()) / (1 << 20);
}
BENCHMARK(tinyRecordsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
#endif

}  // namespace
