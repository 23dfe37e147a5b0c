// What a frame costs: one animation step of the main window (Draw with the Kepler solve, the graph
// step and the read-outs), headless and without painting, in the second revolution. A frame must
// cost the same whatever the length of the polylines it puts a segment into.

#include <benchmark/benchmark.h>

#include "framework/number_conversion.hpp"
#include "framework/text_conversion.hpp"
#include "headless_program.hpp"
#include "orbit_window/result_table.hpp"

namespace {

void BM_FrameSecondRevolution(benchmark::State& state, const char* frames) {
  HeadlessProgram program;
  program.EnterSecondRevolution(frames);
  MainWindow& window = program.Window();
  for (auto _ : state) {
    window.OneStep();
    // The repaints wait in the platform's queue, one per canvas however many frames asked.
  }
  state.counters["segments"] = window.wPath->Count();
}
BENCHMARK_CAPTURE(BM_FrameSecondRevolution, N300, "300")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FrameSecondRevolution, N100000, "100000")->Unit(benchmark::kMicrosecond);

// The result table built in memory, without the text area: the cost must grow with the rows alone.
void BM_ResultTable(benchmark::State& state) {
  const auto frames = static_cast<std::int32_t>(state.range(0));
  const double heikin = ((1.0 / framework::Int32ToDouble(frames)) * 2.0) * 3.141592653589793;
  for (auto _ : state) {
    std::string text = ResultTable::Text(frames, 0.866, heikin);
    benchmark::DoNotOptimize(text);
  }
  state.counters["rows"] = static_cast<double>(frames) + 1.0;
}
BENCHMARK(BM_ResultTable)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
