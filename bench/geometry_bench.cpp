// Footprint geometry: the overlay of two footprints, and the whole analysis with roles and
// measures, must grow linear-logarithmically with the pad count (a grid of balls against the same
// grid turned by a quarter and shifted), and a 256-ball pair must cost well under a millisecond.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "compare/geometry/alignment.hpp"
#include "compare/geometry/geometry_analysis.hpp"

namespace {

using tessan::PadGeometry;
using tessan::SourceData;

// About `count` balls on a square grid of 0.8 mm, labelled row letter pairs and column.
SourceData ball_grid(std::string name, std::int64_t count, bool turned) {
  SourceData source;
  source.name = std::move(name);
  const auto side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
  std::vector<PadGeometry> pads;
  for (int r = 0; r < side; ++r) {
    for (int c = 0; c < side; ++c) {
      PadGeometry pad;
      const double x = c * 0.8, y = -r * 0.8;
      pad.x = turned ? -y + 3.0 : x;
      pad.y = turned ? x - 1.5 : y;
      pad.w = pad.h = 0.4;
      pads.push_back(pad);
      source.pads.push_back(std::string(1, static_cast<char>('A' + r % 26)) +
                            std::string(1, static_cast<char>('A' + r / 26 % 26)) +
                            std::to_string(c + 1));
    }
  }
  source.pad_geometry = std::move(pads);
  return source;
}

void analyse_two_footprints(benchmark::State& state) {
  const SourceData a = ball_grid("kicad", state.range(0), false);
  const SourceData b = ball_grid("eagle", state.range(0), true);
  const tessan::SourceRefs refs = {&a, &b};
  for (auto _ : state) benchmark::DoNotOptimize(tessan::analyse_geometry(refs));
  state.SetComplexityN(static_cast<std::int64_t>(a.pads.size()));
}

// The overlay alone: four quarter turns, each paired and re-centred twice.
void align_two_footprints(benchmark::State& state) {
  const SourceData a = ball_grid("kicad", state.range(0), false);
  const SourceData b = ball_grid("eagle", state.range(0), true);
  const tessan::GeometryAnalysis analysis = tessan::analyse_geometry({&a, &b});
  for (auto _ : state) {
    benchmark::DoNotOptimize(tessan::align_footprints(analysis.footprints, 0, 1));
  }
  state.SetComplexityN(static_cast<std::int64_t>(a.pads.size()));
}

// Pad counts from a small package through a 256-ball BGA to the largest footprints.
void pad_counts(benchmark::internal::Benchmark* b) {
  for (const std::int64_t pads : {100, 256, 1'000, 10'000}) b->Arg(pads);
  b->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oNLogN);
}

BENCHMARK(align_two_footprints)->Apply(pad_counts);
BENCHMARK(analyse_two_footprints)->Apply(pad_counts);

}  // namespace

BENCHMARK_MAIN();
