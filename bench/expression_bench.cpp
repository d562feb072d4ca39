// Throughput of the expression evaluator on a 10 MB text nested 1,000 deep.
#include <benchmark/benchmark.h>

#include <string>

#include "calc/expression.h"

namespace {

constexpr std::size_t textSize = 10 * 1000 * 1000;
constexpr int levelsPerBlock = 500;  // Two parentheses each: 1,000 deep.

// One fully nested block using all four operators; its value stays near 41,
// so the total stays finite however many blocks are joined.
std::string nestedBlock() {
  std::string block;
  for (int level = 0; level < levelsPerBlock; ++level)
    block += "(12*(125-";
  block += "100";
  for (int level = 0; level < levelsPerBlock; ++level)
    block += ")+7)/24";
  return block;
}

std::string generateExpression() {
  const std::string block = nestedBlock();
  std::string text = block;
  while (text.size() < textSize) {
    text += '+';
    text += block;
  }
  return text;
}

void evaluateNestedExpression(benchmark::State& state) {
  const std::string text = generateExpression();
  if (!evaluateExpression(text).ok()) {
    state.SkipWithError("the generated expression does not evaluate");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(evaluateExpression(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(evaluateNestedExpression)->Unit(benchmark::kMillisecond);
