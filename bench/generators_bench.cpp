// Throughput of the code and password generators on one million characters,
// drawn in pieces as the commands print them; passwords from the system's
// secure source in blocks, as the command draws them.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/system_random.h"
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
  const BlockFill secureBlocks = fillFromSystemRandom;
  for (auto _ : state) {
    std::size_t total = 0;
    Status status = drawPassword(length, secureBlocks, [&total](std::string_view piece) {
      total += piece.size();
      return true;
    });
    if (!status.isOk()) {
      state.SkipWithError("the system's secure random source failed");
      break;
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * length);
}
BENCHMARK(drawMillionCharacterPassword)->Unit(benchmark::kMillisecond);

}  // namespace
