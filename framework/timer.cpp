#include "framework/timer.hpp"

#include "framework/platform.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/window.hpp"

namespace framework {

namespace {
constexpr std::int32_t kModeOff = 0;
constexpr std::int32_t kModeSingle = 1;
constexpr std::int32_t kModeMultiple = 2;
}  // namespace

Timer::Timer() : Control(kinds::Timer) {}

std::int32_t Timer::Mode() const { return Get(prop::Mode); }
void Timer::SetMode(std::int32_t mode) { Set(prop::Mode, mode); }
std::int32_t Timer::Period() const { return Get(prop::Period); }
void Timer::SetPeriod(std::int32_t period_ms) { Set(prop::Period, period_ms); }
bool Timer::Enabled() const { return m_enabled; }

void Timer::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  NotifyTimerChanged();
}

bool Timer::IsRunning() const {
  // A period of 0 or less asks for no ticks at all (a negative frame rate asks for no frames).
  if (!m_enabled || Mode() == kModeOff || Period() <= 0) return false;
  // A timer ticks for its window only while the window is open.
  auto window = WindowOrNull();
  return window && window->IsOpen();
}

void Timer::Reset() { NotifyTimerChanged(); }

void Timer::Tick() {
  if (!IsRunning()) return;
  // Turned off before the handler runs, so that a handler may arm the timer again.
  if (Mode() == kModeSingle) SetMode(kModeOff);
  RaiseEvent("Action");
}

void Timer::PropertyChanged(std::string_view /*name*/) {
  // Mode and Period are all a timer has; both change its schedule.
  NotifyTimerChanged();
}

PropertyValue Timer::CheckedValue(std::string_view name, PropertyValue value) const {
  if (prop::Mode == name) {
    const std::int32_t mode = std::get<std::int32_t>(value);
    if (mode != kModeOff && mode != kModeSingle && mode != kModeMultiple) {
      throw RuntimeException(Description() + ": Mode " + std::to_string(mode) +
                             " is none of 0 (off), 1 (single) and 2 (multiple)");
    }
  }
  return Control::CheckedValue(name, std::move(value));
}

void Timer::JoinedWindow() { NotifyTimerChanged(); }

void Timer::NotifyTimerChanged() {
  // A hidden window's timer ticks as a shown one's does, so the platform hears of it either way.
  if (!RuntimeIsRunning()) return;
  auto window = WindowOrNull();
  if (window && window->IsOpen()) CurrentPlatform().TimerChanged(*this);
}

}  // namespace framework
