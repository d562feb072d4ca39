// Throughput of the molar mass scanner on generated formulas of 256 kB to
// 1 MB: every symbol of the table in turn, each with a count, so the time per
// byte should stay the same as the formula grows.
#include <benchmark/benchmark.h>

#include <string>

#include "chemistry/element_tables.h"
#include "chemistry/molar_mass.h"

namespace {

std::string generateFormula(std::size_t size) {
  std::string formula;
  formula.reserve(size + 16);
  unsigned count = 1;
  while (formula.size() < size) {
    for (const auto& entry : molarMassTable().entries()) {
      formula += entry.symbol;
      formula += std::to_string(count);
      count = count % 9999 + 7;
    }
  }
  return formula;
}

void computeLongFormula(benchmark::State& state) {
  const std::string formula = generateFormula(static_cast<std::size_t>(state.range(0)));
  if (computeMolarMass(formula).fault != FormulaFault::none) {
    state.SkipWithError("the generated formula has a symbol at fault");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(computeMolarMass(formula));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(formula.size()));
  state.SetComplexityN(static_cast<std::int64_t>(formula.size()));
}

}  // namespace

BENCHMARK(computeLongFormula)
    ->RangeMultiplier(2)
    ->Range(256 << 10, 1 << 20)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
