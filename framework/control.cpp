#include "framework/control.hpp"

#include <algorithm>
#include <typeinfo>

#include "framework/platform.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/window.hpp"

namespace framework {

Control::Control(const PropertyKind& kind) : PropertyHolder(kind) {}
Control::~Control() = default;

const std::string& Control::Name() const { return m_name; }

std::int32_t Control::Index() const { return m_index; }

void Control::SetIndex(std::int32_t index) {
  // Visible controls carry Index in their property table; the timer keeps it as a plain field.
  if (HasProperty(prop::Index)) {
    Set(prop::Index, index);
  } else {
    m_index = index;
  }
}

std::shared_ptr<framework::Window> Control::Window() const {
  auto window = m_window.lock();
  if (!window) {
    throw NilObjectException(Description() + (m_attached ? " has lost its window: the window no longer exists"
                                                         : " has no window: it was never added to one"));
  }
  return window;
}

std::shared_ptr<framework::Window> Control::WindowOrNull() const { return m_window.lock(); }

void Control::AddEventHandler(std::string_view event_name, Delegate handler) {
  const auto events = EventNames();
  if (std::find(events.begin(), events.end(), event_name) == events.end()) {
    throw RuntimeException(Description() + " has no event named \"" + std::string(event_name) + "\"");
  }
  m_bindings.push_back(Binding{std::string(event_name), std::move(handler)});
}

std::size_t Control::HandlerCount(std::string_view event_name) const {
  return static_cast<std::size_t>(
      std::count_if(m_bindings.begin(), m_bindings.end(),
                    [event_name](const Binding& binding) { return binding.event_name == event_name; }));
}

std::size_t Control::HandlerCount() const { return m_bindings.size(); }

std::string Control::Description() const {
  std::string text = ClassNameOf(typeid(*this));
  if (!m_name.empty()) text += " \"" + m_name + "\"";
  return text;
}

void Control::RaiseEvent(std::string_view event_name, const EventArguments& arguments) {
  // A handler may close the window and so drop the last owner of this control, or bind another
  // handler: the control is kept alive, and the handlers run are those bound when the event began.
  const std::shared_ptr<Control> keep_alive = weak_from_this().lock();
  std::vector<Delegate> handlers;
  for (const Binding& binding : m_bindings) {
    if (binding.event_name == event_name) handlers.push_back(binding.handler);
  }
  for (const Delegate& handler : handlers) {
    RunHandler([this, &handler, &arguments] { handler(*this, arguments); });
  }
}

bool Control::InShownWindow() const {
  if (!RuntimeIsRunning()) return false;
  auto window = m_window.lock();
  return window && window->IsShown();
}

void Control::NotifyPlatform() {
  if (InShownWindow()) CurrentPlatform().ControlChanged(*this);
}

void Control::PropertyChanged(std::string_view name) {
  if (prop::Index == name) {
    m_index = Get(prop::Index);
  } else if (prop::Name == name) {
    m_name = Get(prop::Name);
  }
  NotifyPlatform();
}

PropertyValue Control::CheckedValue(std::string_view name, PropertyValue value) const {
  if (prop::Name == name && m_attached) {
    const auto& new_name = std::get<std::string>(value);
    if (new_name != m_name) {
      throw RuntimeException(Description() + " cannot be renamed to \"" + new_name +
                             "\": a control's Name is the name its window knows it by");
    }
  }
  return value;
}

void Control::Attach(const std::shared_ptr<framework::Window>& window, std::string_view name) {
  if (m_attached) {
    throw RuntimeException(Description() + " already belongs to a window; it cannot be added as \"" +
                           std::string(name) + "\"");
  }
  // A Name set before the control was added must be the name it is added under.
  if (!m_name.empty() && m_name != name) {
    throw RuntimeException(Description() + " cannot be added under the different name \"" +
                           std::string(name) + "\"");
  }
  m_window = window;
  m_name = name;
  m_attached = true;
  if (HasProperty(prop::Name)) Set(prop::Name, std::string(name));
}

}  // namespace framework
