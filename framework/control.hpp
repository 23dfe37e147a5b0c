#pragma once

// The base of every control: its name in the window, its owner, its event bindings.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/delegate.hpp"
#include "framework/property_holder.hpp"

namespace framework {

class Window;

class Control : public PropertyHolder, public std::enable_shared_from_this<Control> {
 public:
  explicit Control(const PropertyKind& kind);
  ~Control() override;

  // `Name` as the window knows it (also the `Name` entry of the control's property string).
  const std::string& Name() const;
  std::int32_t Index() const;
  void SetIndex(std::int32_t index);

  // The window that owns the control; NilObjectException once it is gone or before AddControl.
  std::shared_ptr<framework::Window> Window() const;
  // The owner without raising: null once it is gone.
  std::shared_ptr<framework::Window> WindowOrNull() const;

  // The events this class raises ("Action", "Paint", "ValueChanged").
  virtual std::vector<std::string_view> EventNames() const = 0;

  // Binds a delegate to one of this class's events; RuntimeException for an event the class lacks.
  void AddEventHandler(std::string_view event_name, Delegate handler);
  std::size_t HandlerCount(std::string_view event_name) const;
  std::size_t HandlerCount() const;

  // The class and the name, for diagnostics.
  std::string Description() const override;

 protected:
  // Runs every delegate bound to `event_name`. A handler that throws ends that handler; the
  // exception goes on to the framework's default handling, and the next handler still runs.
  void RaiseEvent(std::string_view event_name, const EventArguments& arguments = {});

  // Whether the platform shows the control now: the runtime runs and the control's window is shown.
  // The platform hears of a control only then.
  bool InShownWindow() const;
  // Tells the platform that this control's state changed (a no-op while its window is not shown).
  void NotifyPlatform();
  void PropertyChanged(std::string_view name) override;
  // A control's Name is the name its window knows it by: once added, a different Name raises.
  PropertyValue CheckedValue(std::string_view name, PropertyValue value) const override;

 private:
  friend class Window;
  void Attach(const std::shared_ptr<framework::Window>& window, std::string_view name);
  // Called by the window once the control is among its controls.
  virtual void JoinedWindow() {}

  std::weak_ptr<framework::Window> m_window;
  std::string m_name;
  std::int32_t m_index = -2147483647 - 1;
  bool m_attached = false;  // added to a window (which may since have gone)
  struct Binding {
    std::string event_name;
    Delegate handler;
  };
  std::vector<Binding> m_bindings;
};

}  // namespace framework
