#pragma once

// When a repeating timer's ticks fall due, the same on every platform: at start + k x period,
// k = 1, 2, ... A platform that wakes late takes, one at a time, every tick that has fallen due
// since, while the schedule is at most kMostTicksBehind behind; further behind (after a long
// handler) the tick it takes starts the schedule again from now, so that no burst follows.
// A period of 0 or less gives no ticks.
//
// Times are durations since any fixed moment of the platform's clock, in the clock's own unit. A
// tick that would fall due past the end of the clock's range never falls due.

#include <chrono>

namespace framework {

inline constexpr std::chrono::milliseconds kMostTicksBehind{20};

template <class Duration>
class TickSchedule {
 public:
  // Ticks from `now` on: the first falls due one period later.
  void Start(Duration now, Duration period) {
    m_period = period;
    m_active = period > Duration::zero();
    if (m_active) m_next_due = Later(now, period);
  }
  void Stop() { m_active = false; }
  // Between a Start with a period above 0 and Stop.
  bool Running() const { return m_active; }

  // When the next tick falls due, while the schedule runs.
  Duration NextDue() const { return m_next_due; }
  bool Due(Duration now) const { return m_active && m_next_due != kNever && now >= m_next_due; }

  // Takes the tick that is due at `now`: the next falls due one period after this one did, or one
  // period after `now` when this one is more than kMostTicksBehind late.
  void TakeTick(Duration now) {
    const Duration base = now > Later(m_next_due, kMostTicksBehind) ? now : m_next_due;
    m_next_due = Later(base, m_period);
  }

 private:
  // A due time past the end of the clock's range: that tick never comes.
  static constexpr Duration kNever = Duration::max();

  // `time` + `span` (`span` above 0), or kNever where the sum lies past the clock's range. Clock
  // values and periods may be anything their types hold, and the sum must not overflow.
  static constexpr Duration Later(Duration time, Duration span) {
    return time > kNever - span ? kNever : time + span;
  }

  Duration m_period{};
  Duration m_next_due{};
  bool m_active = false;
};

}  // namespace framework
