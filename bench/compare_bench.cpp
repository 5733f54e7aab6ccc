// Comparison of two large sources: the work must grow linear-logarithmically with the pins.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "compare/compare_sources.hpp"

namespace {

using tessan::Pin;
using tessan::SourceData;

// A source with `count` pads and pins; `reordered` writes the channel digits first (1GPIO
// against GPIO1) and adds an exposed pad, so that every variant step walks all pins.
SourceData large_source(std::string name, std::int64_t count, bool reordered) {
  SourceData source;
  source.name = std::move(name);
  source.package = tessan::PackageInfo{7.0, 7.0, "QFN-" + std::to_string(count)};
  for (std::int64_t n = 1; n <= count; ++n) {
    const std::string number = std::to_string(n);
    source.pads.push_back(number);
    source.pins.push_back(Pin{number, reordered ? number + "GPIO" : "GPIO" + number, false});
  }
  if (reordered) source.pads.push_back("EP");
  return source;
}

void compare_agreeing_sources(benchmark::State& state) {
  const std::vector<SourceData> sources = {large_source("quarn", state.range(0), false),
                                           large_source("kicad", state.range(0), false)};
  for (auto _ : state) benchmark::DoNotOptimize(tessan::compare_sources(sources));
  state.SetComplexityN(state.range(0));
}

void compare_renamed_sources(benchmark::State& state) {
  const std::vector<SourceData> sources = {large_source("quarn", state.range(0), false),
                                           large_source("kicad", state.range(0), true)};
  for (auto _ : state) benchmark::DoNotOptimize(tessan::compare_sources(sources));
  state.SetComplexityN(state.range(0));
}

BENCHMARK(compare_agreeing_sources)
    ->Arg(1'000)
    ->Arg(2'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(compare_renamed_sources)
    ->Arg(1'000)
    ->Arg(2'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace

BENCHMARK_MAIN();
