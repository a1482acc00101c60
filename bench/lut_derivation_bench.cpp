// Deriving the LUT editor's 256 outputs from its edit points: the full scan
// of every entry against every curve sample, and the sorted search that
// gives the same table.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "lut/lut_curve.h"

namespace {

// A wavy curve through `count` points, as an operator might shape one;
// `clustered` puts the points in tight groups, so the curve turns back in x
// between them and the samples must be sorted.
cct::LutEditPoints Points(int count, bool clustered) {
  std::vector<cct::EditPoint> list;
  for (int i = 0; i < count; ++i) {
    const int x = clustered ? (i / 3) * 60 + (i % 3) * 2 : i * cct::kGraphSize / (count - 1);
    list.push_back({std::min(x, cct::kGraphSize), cct::kGraphSize - i * 16 + (i % 3) * 20});
  }
  cct::LutEditPoints points;
  points.Set(list.data(), count);
  return points;
}

void BM_DeriveByScan(benchmark::State& state) {
  const cct::LutEditPoints points = Points(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(cct::DeriveLutTableByScan(points));
}

void BM_DeriveFast(benchmark::State& state) {
  const cct::LutEditPoints points = Points(static_cast<int>(state.range(0)), state.range(1) != 0);
  if (cct::DeriveLutTable(points) != cct::DeriveLutTableByScan(points)) {
    state.SkipWithError("the fast table differs from the scan");
  }
  for (auto _ : state) benchmark::DoNotOptimize(cct::DeriveLutTable(points));
}

void Shapes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"points", "clustered"});
  for (int count : {2, 8, 16}) b->Args({count, 0});
  b->Args({16, 1});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_DeriveByScan)->Apply(Shapes);
BENCHMARK(BM_DeriveFast)->Apply(Shapes);

}  // namespace

BENCHMARK_MAIN();
