// Throughput of the code and password generators on one million characters,
// drawn in pieces as the commands print them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <random>

#include "tools/random_strings.h"

namespace {

constexpr std::int32_t length = 1000 * 1000;

void drawMillionCharacterCode(benchmark::State& state) {
  std::int64_t second = 1700000000;
  for (auto _ : state) {
    std::size_t total = 0;
    drawCode(length, second++, [&total](std::string_view piece) {
      total += piece.size();
      return true;
    });
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * length);
}
BENCHMARK(drawMillionCharacterCode)->Unit(benchmark::kMillisecond);

void drawMillionCharacterPassword(benchmark::State& state) {
  std::random_device device;
  WordSource secureWords = [&device] { return static_cast<std::uint32_t>(device()); };
  for (auto _ : state) {
    std::size_t total = 0;
    drawPassword(length, secureWords, [&total](std::string_view piece) {
      total += piece.size();
      return true;
    });
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * length);
}
BENCHMARK(drawMillionCharacterPassword)->Unit(benchmark::kMillisecond);

}  // namespace
