#pragma once

// The measurements that quillorn_qt_measure runs, one per child process. Each reports its figures
// through measure::Report and throws when it could not measure.

#include <cstdint>
#include <string>

namespace measure {

struct ScenarioOptions {
  double seconds = 6.0;            // how long a frame rate is measured, after a second of warm-up
  std::int64_t frames = 108'000;   // frames of a long run
  std::int64_t spawned_ns = 0;     // when the parent spawned this process (MonotonicNs), if it did
  std::int64_t main_ns = 0;        // when main() was entered
  std::string grab_dir;            // if set, frame-rate runs save what the display shows there
};

// Scenarios on Qt's offscreen platform.
void RunQtScenario(const std::string& name, const ScenarioOptions& options);

// Scenarios on the headless platform.
void RunHeadlessScenario(const std::string& name, const ScenarioOptions& options);

}  // namespace measure
