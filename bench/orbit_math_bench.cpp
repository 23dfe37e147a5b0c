#include "orbit_math/keplar_module.hpp"
#include "orbit_math/meridional_distance.hpp"

#include <benchmark/benchmark.h>

#include <bit>
#include <chrono>
#include <cmath>
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

// The Newton loop with nothing but its own stop test: what the solver costs
// without the rules that end endless loops.  10^s is the same in every round,
// so it is taken once, as the solver takes it; the rounds are compared alone.
// Kept out of line, as the solver is a call into another file.
[[gnu::noinline]] double BareNewtonLoop(double e, double l, double u, int32_t s,
                                        int32_t& count) {
  const double scale = std::pow(10.0, static_cast<double>(s));
  for (;;) {
    count = count + 1;
    const double d1 = l - u;
    const double d2 = e * std::sin(u);
    const double num = d1 + d2;
    const double d3 = e * std::cos(u);
    const double den = 1.0 - d3;
    const double du = num / den;
    u = u + du;
    const double test = std::round(std::abs(du * scale));
    if (test == 0.0) {
      return u;
    }
  }
}

struct KeplerCase {
  double e;
  double l;
};

// Eccentricities from near circle to e 0.99, each with one revolution of
// 300 frames, frame 0 and the closing frame at 2 pi included.
std::vector<KeplerCase> KeplerCases() {
  const double eccentricities[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.99};
  std::vector<KeplerCase> cases;
  for (double e : eccentricities) {
    for (int k = 0; k <= 300; ++k) {
      cases.push_back({e, (((1.0 / 300) * 2.0) * kPi) * k});
    }
  }
  return cases;
}

template <typename Solver>
double SecondsForAllCases(const std::vector<KeplerCase>& cases, Solver solver) {
  const auto start = std::chrono::steady_clock::now();
  for (const KeplerCase& c : cases) {
    int32_t count = 0;
    benchmark::DoNotOptimize(solver(c.e, c.l, c.l, 6, count));
    benchmark::DoNotOptimize(count);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The solver against the bare loop on the same inputs, timed in alternation
// within each iteration (and in alternating order), so that a change of clock
// speed or load during the run falls on both alike.  "ratio" is the solver's
// time over the bare loop's.
void BM_KeplarLoopCountVsBareLoop(benchmark::State& state) {
  const std::vector<KeplerCase> cases = KeplerCases();
  for (const KeplerCase& c : cases) {
    int32_t bare_count = 0;
    int32_t count = 0;
    const double bare_u = BareNewtonLoop(c.e, c.l, c.l, 6, bare_count);
    const double u = KeplarModule::KeplarLoopCount(c.e, c.l, c.l, 6, count);
    if (count != bare_count ||
        std::bit_cast<std::uint64_t>(u) != std::bit_cast<std::uint64_t>(bare_u)) {
      state.SkipWithError("the solver and the bare loop disagree");
      return;
    }
  }
  double bare_seconds = 0.0;
  double solver_seconds = 0.0;
  bool bare_first = true;
  for (auto _ : state) {
    if (bare_first) {
      bare_seconds += SecondsForAllCases(cases, BareNewtonLoop);
      solver_seconds += SecondsForAllCases(cases, KeplarModule::KeplarLoopCount);
    } else {
      solver_seconds += SecondsForAllCases(cases, KeplarModule::KeplarLoopCount);
      bare_seconds += SecondsForAllCases(cases, BareNewtonLoop);
    }
    bare_first = !bare_first;
  }
  const double calls = static_cast<double>(state.iterations()) * static_cast<double>(cases.size());
  state.counters["bare_ns/call"] = bare_seconds / calls * 1e9;
  state.counters["solver_ns/call"] = solver_seconds / calls * 1e9;
  state.counters["ratio"] = solver_seconds / bare_seconds;
}
BENCHMARK(BM_KeplarLoopCountVsBareLoop)->Unit(benchmark::kMillisecond);

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
