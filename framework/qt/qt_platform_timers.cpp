// The timers of the Qt platform: each model timer keeps its TickSchedule by the steady clock, with
// a single-shot precise QTimer armed for the next due time; each wake-up delivers to the model
// every tick that has fallen due, one model tick each.

#include "framework/qt/qt_platform_impl.hpp"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>

#include <QTimer>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace framework {

namespace {

// The slack that Linux adds to every wake-up (50 us unless asked otherwise) makes each wake-up of
// a 1 ms timer later still; the platform's timers are meant to be precise, so the process asks for
// the least slack.
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
  // Every change starts the schedule again; a tick's catch-up that is under way sees the new
  // generation and ends.
  view.generation = ++m_timer_generations;
  if (timer.IsRunning()) {
    view.schedule.Start(Now(), std::chrono::milliseconds(timer.Period()));
    Arm(view);
  } else {
    view.schedule.Stop();
    view.qtimer->stop();
  }
}

void QtPlatform::Impl::SyncTimers(const Window& window) {
  for (const auto& control : window.Controls()) {
    if (auto* timer = dynamic_cast<Timer*>(control.get())) SyncTimer(*timer);
  }
}

void QtPlatform::Impl::Arm(qt::TimerView& view) {
  // A QTimer takes whole milliseconds: rounded up, it never wakes before the due time (and a
  // wake-up that comes early all the same only arms it again).
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(view.schedule.NextDue() - Now()).count();
  view.qtimer->start(static_cast<int>(std::clamp<std::int64_t>(wait, 0, std::numeric_limits<int>::max())));
}

void QtPlatform::Impl::OnTick(const Timer* key) {
  auto found = m_timers.find(key);
  if (found == m_timers.end()) return;
  const std::uint64_t generation = found->second.generation;
  // Only the ticks due when the timer woke: those that fall due while their handlers run wait for
  // the next wake-up, so that a handler slower than the period cannot keep the event loop from
  // painting and from hearing the user.
  const std::chrono::nanoseconds woke = Now();
  for (;;) {
    qt::TimerView& view = found->second;
    const auto control = view.timer.lock();
    if (!control) {
      Retire(view.qtimer.data());
      m_timers.erase(found);
      return;
    }
    if (!view.schedule.Due(woke)) break;
    view.schedule.TakeTick(Now());
    auto& timer = static_cast<Timer&>(*control);
    qt::CallModel([&] { timer.Tick(); });
    // The handler may have closed the window, and so dropped the view, or stopped, disabled or
    // rescheduled the timer, which has then been armed anew: either ends the catch-up.
    found = m_timers.find(key);
    if (found == m_timers.end() || found->second.generation != generation) return;
  }
  Arm(found->second);
}

}  // namespace framework
