// The timers of the Qt platform: each model timer keeps its TickSchedule by the steady clock, with
// a single-shot precise QTimer armed for the next due time. Each wake-up delivers the ticks due
// (tick_catch_up.hpp) and arms the QTimer again, or leaves it stopped once the timer no longer runs.

#include "framework/qt/qt_platform_impl.hpp"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>

#include <QTimer>

#include "framework/tick_catch_up.hpp"

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace framework {

namespace {

// The slack that Linux adds to every wake-up (50 us unless asked otherwise) makes each wake-up of
// a 1 ms timer later still; the platform's timers are meant to be precise, so the thread that runs
// them asks for the least slack (the setting is the calling thread's, not the process's).
void AskForPreciseWakeUps() {
#ifdef __linux__
  static const bool asked = [] { return prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0; }();
  static_cast<void>(asked);
#endif
}

}  // namespace

std::chrono::nanoseconds QtPlatform::Impl::Now() const {
  return timer_clock ? timer_clock() : std::chrono::steady_clock::now().time_since_epoch();
}

void QtPlatform::Impl::SyncTimer(Timer& timer) {
  if (timer.weak_from_this().expired()) return;  // only a timer that a window owns can tick
  qt::TimerView& view = m_timers[&timer];
  if (view.timer.lock().get() != &timer) {
    // A new timer, or a new one at the address of one that is gone.
    Retire(view.qtimer.data());
    view = qt::TimerView{};
    view.timer = timer.weak_from_this();
    const auto owner = timer.WindowOrNull();
    view.owner = owner.get();
    AskForPreciseWakeUps();
    view.qtimer = new QTimer();
    view.qtimer->setTimerType(Qt::PreciseTimer);
    view.qtimer->setSingleShot(true);
    const Timer* key = &timer;
    QObject::connect(view.qtimer.data(), &QTimer::timeout, view.qtimer.data(), [this, key]() { OnTick(key); });
  }
  // Every change starts the schedule again; a catch-up under way then finds no tick due.
  if (timer.IsRunning()) {
    view.schedule.Start(Now(), std::chrono::milliseconds(timer.Period()));
    Arm(view);
  } else {
    view.schedule.Stop();
    view.qtimer->stop();
  }
}

void QtPlatform::Impl::Arm(qt::TimerView& view) {
  // A QTimer takes whole milliseconds: rounded up, it never wakes before the due time (and a
  // wake-up that comes early all the same only arms it again).
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(view.schedule.NextDue() - Now()).count();
  view.qtimer->start(static_cast<int>(std::clamp<std::int64_t>(wait, 0, std::numeric_limits<int>::max())));
}

void QtPlatform::Impl::OnTick(const Timer* key) {
  // The timer's own schedule is the only one this wake-up is for.
  const auto first = [this, key]() -> ScheduledTimer<std::chrono::nanoseconds> {
    auto found = m_timers.find(key);
    if (found == m_timers.end() || !found->second.schedule.Running()) return {};
    return {std::static_pointer_cast<Timer>(found->second.timer.lock()), &found->second.schedule};
  };
  DeliverDueTicks(
      Now(), first, [this] { return Now(); }, [](Timer& timer) { qt::CallModel([&] { timer.Tick(); }); });
  // The handlers may have closed the window, and so dropped the view, or stopped or rescheduled
  // the timer.
  auto found = m_timers.find(key);
  if (found == m_timers.end()) return;
  qt::TimerView& view = found->second;
  if (view.timer.expired()) {
    Retire(view.qtimer.data());
    m_timers.erase(found);
  } else if (view.schedule.Running()) {
    Arm(view);
  } else {
    view.qtimer->stop();
  }
}

}  // namespace framework
