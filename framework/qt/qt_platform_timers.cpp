// The timers of the Qt platform: one precise QTimer per model timer, started and stopped as the
// model says, each tick delivered to the model.

#include "framework/qt/qt_platform_impl.hpp"

#include <algorithm>

#include <QTimer>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace framework {

namespace {

// Qt sleeps until a precise timer's due time rounded up to a whole millisecond, and restarts the
// timer's schedule when a tick comes more than a period late; the slack that Linux adds to every
// wake-up (50 us unless asked otherwise) made a 1 ms timer lose about one tick in ten that way.
// The platform's timers are meant to be precise, so the process asks for the least slack.
void AskForPreciseWakeUps() {
#ifdef __linux__
  static const bool asked = [] { return prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0; }();
  static_cast<void>(asked);
#endif
}

}  // namespace

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
    const Timer* key = &timer;
    QObject::connect(view.qtimer.data(), &QTimer::timeout, view.qtimer.data(), [this, key]() { OnTick(key); });
  }
  if (timer.IsRunning()) {
    view.qtimer->start(std::max(1, timer.EffectivePeriod()));
  } else {
    view.qtimer->stop();
  }
}

void QtPlatform::Impl::SyncTimers(const Window& window) {
  for (const auto& control : window.Controls()) {
    if (auto* timer = dynamic_cast<Timer*>(control.get())) SyncTimer(*timer);
  }
}

void QtPlatform::Impl::OnTick(const Timer* key) {
  const auto found = m_timers.find(key);
  if (found == m_timers.end()) return;
  const auto control = found->second.timer.lock();
  if (!control) {
    Retire(found->second.qtimer.data());
    m_timers.erase(found);
    return;
  }
  auto& timer = static_cast<Timer&>(*control);
  qt::CallModel([&] { timer.Tick(); });
}

}  // namespace framework
