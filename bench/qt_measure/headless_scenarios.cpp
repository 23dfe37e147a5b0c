// The memory of long runs, measured on the headless platform, where the model steps as fast as it
// can: the timer is driven by the virtual clock, one period per frame, so every frame takes the
// road a timer tick takes, without waiting for real time.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "framework/text_conversion.hpp"
#include "headless_program.hpp"
#include "measure_support.hpp"
#include "qt_scenarios.hpp"

namespace measure {

namespace {

// One tick of Timer1 through the virtual clock.
void Tick(HeadlessProgram& program) {
  program.platform.AdvanceClock(program.Window().Timer1().Period());
}

// `total` frames at the default 300 per revolution, each painted (the headless platform records
// only the last paint of each canvas).
void MeasureLongRun(std::int64_t total) {
  HeadlessProgram program;
  MainWindow& window = program.Window();
  window.pGo().Press();
  const auto n = static_cast<std::int64_t>(framework::Val(window.tDivision().Text()));
  const std::int64_t start = MonotonicNs();
  double after_first = 0.0;
  for (std::int64_t frame = 1; frame <= total; ++frame) {
    Tick(program);
    program.platform.FlushRepaints();
    if (frame == n) {
      after_first = ResidentMiB();
      Report("rss_first_revolution_mib", after_first);
    } else if (frame % 10800 == 0 && frame < total) {
      Report("rss_at_" + std::to_string(frame / 1000) + "k_mib", ResidentMiB());
    }
  }
  const double last = ResidentMiB();
  Report("frames_per_s", static_cast<double>(total) / Seconds(start, MonotonicNs()));
  Report("rss_after_run_mib", last);
  Report("rss_growth_mib", last - after_first);
}

// A revolution too long to finish: every frame adds a segment to both polylines, so the memory
// grows with the frames; reported per frame. Not painted: a paint of a million segments would be
// recorded primitive by primitive and measure the recorder instead.
void MeasureHugeRevolution(std::int64_t total) {
  HeadlessProgram program;
  MainWindow& window = program.Window();
  window.tDivision().Type("1000000000");
  window.pGo().Press();
  const double start_rss = ResidentMiB();
  Report("rss_start_mib", start_rss);
  const std::int64_t quarter = total / 4;
  const std::int64_t start = MonotonicNs();
  for (std::int64_t frame = 1; frame <= total; ++frame) {
    Tick(program);
    if (quarter > 0 && frame % quarter == 0) {
      Report("rss_at_" + std::to_string(frame / 1000) + "k_mib", ResidentMiB());
    }
  }
  const double last = ResidentMiB();
  if (window.wPath->Count() != static_cast<std::int32_t>(total + 1)) throw std::runtime_error("segments went missing");
  Report("frames_per_s", static_cast<double>(total) / Seconds(start, MonotonicNs()));
  Report("rss_after_run_mib", last);
  Report("bytes_per_frame", (last - start_rss) * 1024.0 * 1024.0 / static_cast<double>(total));
}

}  // namespace

void RunHeadlessScenario(const std::string& name, const ScenarioOptions& options) {
  if (name == "rss-n300-headless") {
    MeasureLongRun(options.frames);
  } else if (name == "rss-huge-headless") {
    MeasureHugeRevolution(1'000'000);
  } else {
    throw std::runtime_error("no headless scenario " + name);
  }
}

}  // namespace measure
