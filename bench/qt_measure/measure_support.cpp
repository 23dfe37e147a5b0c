#include "measure_support.hpp"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include <QEvent>

namespace measure {

std::int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

double Seconds(std::int64_t from_ns, std::int64_t to_ns) { return static_cast<double>(to_ns - from_ns) * 1e-9; }

double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;  // the figure is in kB
  }
  return -1.0;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ThreadCpuSeconds() {
  timespec used{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
  return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

void Report(std::string_view key, double value) {
  std::printf("RESULT %.*s %.9g\n", static_cast<int>(key.size()), key.data(), value);
  std::fflush(stdout);
}

void PaintProbe::WatchPaints(QObject* widget, std::string name) {
  m_paints[widget] = std::move(name);
  widget->installEventFilter(this);
}

void PaintProbe::WatchUpdates(QObject* top_level, std::string name) {
  m_updates[top_level] = std::move(name);
  top_level->installEventFilter(this);
}

void PaintProbe::OnFirstPaintEnd(std::string name, std::function<void()> action) {
  m_first_paint_actions[std::move(name)] = std::move(action);
}

void PaintProbe::Clear() {
  for (auto& [name, tally] : m_tallies) tally = Tally{};
}

bool PaintProbe::eventFilter(QObject* watched, QEvent* event) {
  const std::map<QObject*, std::string>* names = nullptr;
  if (event->type() == QEvent::Paint) names = &m_paints;
  if (event->type() == QEvent::UpdateRequest) names = &m_updates;
  if (names == nullptr) return false;
  const auto found = names->find(watched);
  if (found == names->end()) return false;

  // The widget handles the event here, so that its end can be timed; it is then not handed on.
  const std::int64_t start = MonotonicNs();
  event->accept();
  watched->event(event);
  const std::int64_t end = MonotonicNs();

  Tally& tally = m_tallies[found->second];
  if (event->type() == QEvent::UpdateRequest && !event->isAccepted()) {
    ++tally.held;
    return true;
  }
  ++tally.count;
  const double took = Seconds(start, end);
  tally.total_s += took;
  tally.longest_s = std::max(tally.longest_s, took);
  if (tally.first_end_ns == 0) {
    tally.first_end_ns = end;
    const auto action = m_first_paint_actions.find(found->second);
    if (action != m_first_paint_actions.end()) {
      auto run = std::move(action->second);
      m_first_paint_actions.erase(action);
      run();
    }
  }
  return true;
}

}  // namespace measure
