#pragma once

// What the measurements of quillorn_qt_measure share: a monotonic clock that compares across
// processes, the resident memory, the one way a child reports a figure, and a probe that times
// the paint events of chosen widgets.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <QObject>

class QEvent;

namespace measure {

// Nanoseconds of CLOCK_MONOTONIC: the same clock in every process of the machine, so that a
// parent's time of spawning and its child's time of painting can be subtracted.
std::int64_t MonotonicNs();

// Seconds between two MonotonicNs readings.
double Seconds(std::int64_t from_ns, std::int64_t to_ns);

// VmRSS of this process, in MiB; -1 if /proc does not say.
double ResidentMiB();

// CPU time (user and system) this process has used, in seconds.
double CpuSeconds();

// CPU time the calling thread has used, in seconds.
double ThreadCpuSeconds();

// A child's figure: one line "RESULT key value" on standard output, which the parent collects.
void Report(std::string_view key, double value);

// Counts and times the paint events of the widgets it watches, and the update requests of top-level
// widgets (one update request repaints every dirty widget of a window and flushes it). The paint
// is run from inside the filter so that its end can be timed. An update request that the window
// holds for later (it leaves the event ignored) is counted apart and not timed as a paint.
class PaintProbe : public QObject {
 public:
  struct Tally {
    std::int64_t count = 0;
    std::int64_t held = 0;
    double total_s = 0.0;
    double longest_s = 0.0;
    std::int64_t first_end_ns = 0;  // when the first one ended; 0 before it
  };

  // Watches `widget`'s paint events under `name`.
  void WatchPaints(QObject* widget, std::string name);
  // Watches `top_level`'s update requests under `name`.
  void WatchUpdates(QObject* top_level, std::string name);
  // Runs once, right after the first paint of `name` has ended.
  void OnFirstPaintEnd(std::string name, std::function<void()> action);

  const Tally& Of(const std::string& name) { return m_tallies[name]; }
  // Forgets what was counted so far (a measurement starts after a warm-up).
  void Clear();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::map<QObject*, std::string> m_paints;
  std::map<QObject*, std::string> m_updates;
  std::map<std::string, Tally> m_tallies;
  std::map<std::string, std::function<void()>> m_first_paint_actions;
};

}  // namespace measure
