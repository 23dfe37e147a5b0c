#include "orbit_math/keplar_module.hpp"
#include "orbit_math/meridional_distance.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

// Mean anomalies of one revolution of n frames, as the main window steps them.
std::vector<double> Revolution(int n) {
  std::vector<double> l;
  l.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    l.push_back((((1.0 / n) * 2.0) * kPi) * i);
  }
  return l;
}

// The "ns/call" counter divides the time by the number of solver calls.
benchmark::Counter PerCall(std::int64_t calls) {
  return benchmark::Counter(static_cast<double>(calls),
                            benchmark::Counter::kIsIterationInvariantRate |
                                benchmark::Counter::kInvert,
                            benchmark::Counter::OneK::kIs1000);
}

void SolveRevolution(benchmark::State& state, double e, int frames) {
  const std::vector<double> angles = Revolution(frames);
  std::int64_t rounds = 0;
  for (auto _ : state) {
    for (double l : angles) {
      int32_t count = 0;
      benchmark::DoNotOptimize(KeplarModule::KeplarLoopCount(e, l, l, 6, count));
      rounds += count;
    }
  }
  state.counters["s/call"] = PerCall(frames);
  state.counters["rounds/call"] = static_cast<double>(rounds) /
                                  (static_cast<double>(state.iterations()) * frames);
}

void BM_KeplarLoopCount_E0866_300Frames(benchmark::State& state) {
  SolveRevolution(state, 0.866, 300);
}
BENCHMARK(BM_KeplarLoopCount_E0866_300Frames);

void BM_KeplarLoopCount_E0999_20000Angles(benchmark::State& state) {
  SolveRevolution(state, 0.999, 20000);
}
BENCHMARK(BM_KeplarLoopCount_E0999_20000Angles)->Unit(benchmark::kMillisecond);

void BM_MeridionalDistance(benchmark::State& state) {
  const std::vector<double> angles = Revolution(300);
  for (auto _ : state) {
    for (double phi : angles) {
      benchmark::DoNotOptimize(MeridionalDistance::MeridionalDistance(phi, 1.0, 0.866, 3));
    }
  }
  state.counters["s/call"] = PerCall(300);
}
BENCHMARK(BM_MeridionalDistance);

void BM_ReducedToGeographicLatitude(benchmark::State& state) {
  const std::vector<double> angles = Revolution(300);
  for (auto _ : state) {
    for (double beta : angles) {
      benchmark::DoNotOptimize(MeridionalDistance::ReducedToGeographicLatitude(beta, 0.866));
    }
  }
  state.counters["s/call"] = PerCall(300);
}
BENCHMARK(BM_ReducedToGeographicLatitude);

}  // namespace
