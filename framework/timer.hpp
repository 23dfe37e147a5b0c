#pragma once

// A timer control: raises Action every Period milliseconds while Enabled (Mode 2), once (Mode 1)
// or never (Mode 0). It has no rectangle and is not shown.
// Enabled is set by code (a new timer is enabled).
// A Period below 1 ms runs as 1 ms. Ticks that fall due while a handler runs are coalesced into
// one: there is never a burst of late ticks.

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

  // The period that the platform schedules: Period, but at least 1 ms.
  std::int32_t EffectivePeriod() const;
  // Whether the platform should schedule ticks now.
  bool IsRunning() const;

  // Restarts the period from now (the platform reschedules).
  void Reset();

  // Platform entry point: the period has elapsed. Raises Action if the timer is running; a Mode 1
  // timer then turns itself to Mode 0.
  void Tick();

 protected:
  void PropertyChanged(std::string_view name) override;
  // Mode is 0, 1 or 2.
  PropertyValue CheckedValue(std::string_view name, PropertyValue value) const override;

 private:
  // Tells the platform to (re)schedule, while the timer's window is shown.
  void NotifyTimerChanged();

  // Not a property: no property string sets it.
  bool m_enabled = true;
};

}  // namespace framework
