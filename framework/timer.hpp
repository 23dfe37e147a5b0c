#pragma once

// A timer control: raises Action every Period milliseconds while Enabled (Mode 2), once (Mode 1)
// or never (Mode 0), whether its window is shown or hidden. It has no rectangle and is not shown.
// Enabled is set by code (a new timer is enabled).
// A Period of 0 or less gives no ticks while it is so. The ticks keep their schedule (see
// tick_schedule.hpp): a late platform delivers the ticks that fell due, each as an Action of its
// own, unless it is so far behind that it starts the schedule again.

#include <cstdint>

#include "framework/control.hpp"

namespace framework {

class Timer : public Control {
 public:
  Timer();
  std::vector<std::string_view> EventNames() const override { return {"Action"}; }

  std::int32_t Mode() const;
  void SetMode(std::int32_t mode);
  std::int32_t Period() const;
  void SetPeriod(std::int32_t period_ms);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // Whether the platform should schedule ticks now: on, enabled, a period above 0, and its window
  // open.
  bool IsRunning() const;

  // Restarts the schedule from now (the platform reschedules).
  void Reset();

  // Platform entry point: the period has elapsed. Raises Action if the timer is running; a Mode 1
  // timer then turns itself to Mode 0.
  void Tick();

 protected:
  void PropertyChanged(std::string_view name) override;
  // Mode is 0, 1 or 2.
  PropertyValue CheckedValue(std::string_view name, PropertyValue value) const override;

 private:
  // The platform hears of the timer from the moment it joins an open window.
  void JoinedWindow() override;
  // Tells the platform to (re)schedule, while the timer's window is open.
  void NotifyTimerChanged();

  // Not a property: no property string sets it.
  bool m_enabled = true;
};

}  // namespace framework
