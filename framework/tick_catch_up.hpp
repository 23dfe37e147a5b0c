#pragma once

// What a platform does when it wakes for its timers, the same on every platform: it takes the
// ticks that were due when it woke, one model tick each, and looks again after every handler,
// since a handler may stop, change or destroy any timer or close its window. A tick that falls
// due while the handlers run waits for the next wake-up, so that a handler slower than the period
// cannot keep the event loop from its other work. A timer found no longer running (its window went
// away without being closed, so nothing told the platform) has its schedule stopped, so that the
// platform stops waking for it, and the catch-up goes on with the other timers.

#include <memory>

#include "framework/tick_schedule.hpp"
#include "framework/timer.hpp"

namespace framework {

// A timer with its schedule, as a platform keeps them.
template <class Duration>
struct ScheduledTimer {
  // Kept alive while its handler runs; null for none.
  std::shared_ptr<Timer> timer;
  TickSchedule<Duration>* schedule = nullptr;
};

// Delivers the ticks due at `woke`. `first()` gives, of the platform's timers whose schedules
// run, the one whose next tick comes first (the platform's order among several due together), or
// a null timer; `now()` reads the platform's clock; `run(timer)` runs the timer's tick as the
// platform runs handlers.
template <class Duration, class First, class Now, class Run>
void DeliverDueTicks(Duration woke, First first, Now now, Run run) {
  for (;;) {
    const ScheduledTimer<Duration> next = first();
    if (!next.timer) return;
    if (!next.timer->IsRunning()) {
      next.schedule->Stop();
      continue;
    }
    // The first tick not yet due: none of the others is either.
    if (!next.schedule->Due(woke)) return;
    // Taken before the tick: a handler that changes the timer starts its schedule again from now.
    next.schedule->TakeTick(now());
    run(*next.timer);
  }
}

}  // namespace framework
