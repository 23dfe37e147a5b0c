#pragma once

// When a repeating timer's ticks fall due, the same on every platform: at start + k x period,
// k = 1, 2, ... A platform that wakes late takes, one at a time, every tick that has fallen due
// since, while the schedule is at most kMostTicksBehind behind; further behind (after a long
// handler) the tick it takes starts the schedule again from now, so that no burst follows.
// A period of 0 or less gives no ticks.
//
// Times are durations since any fixed moment of the platform's clock, in the clock's own unit.

#include <chrono>

namespace framework {

inline constexpr std::chrono::milliseconds kMostTicksBehind{20};

template <class Duration>
class TickSchedule {
 public:
  // Ticks from `now` on: the first falls due one period later.
  void Start(Duration now, Duration period) {
    m_period = period;
    m_next_due = now + period;
    m_active = period > Duration::zero();
  }
  void Stop() { m_active = false; }

  bool Active() const { return m_active; }
  // When the next tick falls due; only while Active.
  Duration NextDue() const { return m_next_due; }
  bool Due(Duration now) const { return m_active && now >= m_next_due; }

  // Takes the tick that is due at `now`: the next falls due one period after this one did, or one
  // period after `now` when this one is more than kMostTicksBehind late.
  void TakeTick(Duration now) {
    const Duration base = now - m_next_due > kMostTicksBehind ? now : m_next_due;
    m_next_due = base + m_period;
  }

 private:
  Duration m_period{};
  Duration m_next_due{};
  bool m_active = false;
};

}  // namespace framework
