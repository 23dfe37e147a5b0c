#include "framework/window.hpp"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "framework/control.hpp"
#include "framework/controls.hpp"
#include "framework/platform.hpp"
#include "framework/rect_control.hpp"
#include "framework/runtime.hpp"
#include "framework/scoped_assignment.hpp"

namespace framework {

namespace {

// Within [minimum, maximum]; the minimum when the range is empty (a string may hold any sizes).
std::int32_t ClampSize(std::int32_t size, std::int32_t minimum, std::int32_t maximum) {
  return std::max(minimum, std::min(size, maximum));
}

// The first button in creation order that has `role`, or null.
PushButton* FirstButtonWith(const std::vector<std::shared_ptr<Control>>& controls, bool (PushButton::*role)() const,
                            bool only_if_it_takes_user_actions) {
  for (const auto& control : controls) {
    auto* button = dynamic_cast<PushButton*>(control.get());
    if (button != nullptr && (button->*role)() && (!only_if_it_takes_user_actions || button->AcceptsUserAction())) {
      return button;
    }
  }
  return nullptr;
}

}  // namespace

template <class F>
void Window::RaiseWindowEvent(F&& event) {
  // The event may close the window and so drop its last owner.
  const std::shared_ptr<Window> keep_alive = shared_from_this();
  RunHandler(std::forward<F>(event));
}

Window::Window() : PropertyHolder(kinds::Window) {
  m_design_width = Width();
  m_design_height = Height();
}

Window::~Window() = default;

void Window::Constructor() {
  if (m_constructed || m_open) throw RuntimeException(Description() + ": Constructor may run only once");
  const std::shared_ptr<Window> self = shared_from_this();
  RegisterOpenWindow(self);
  m_open = true;
  try {
    Layout();
    m_design_width = Width();
    m_design_height = Height();
    CreateControls();
  } catch (...) {
    // A half-built window must not stay among the open windows, where the next reference of its
    // class would find it.
    m_open = false;
    UnregisterOpenWindow(*this);
    throw;
  }
  for (const auto& control : m_controls) {
    if (auto* rect = dynamic_cast<RectControl*>(control.get())) rect->CaptureDesignBounds();
  }
  m_constructed = true;
  if (Visible()) ShowNow();
  RaiseWindowEvent([this] { Event_Open(); });
}

void Window::AddControl(std::string_view name, const std::shared_ptr<Control>& control) {
  if (!control)
    throw NilObjectException(Description() + ": no control to add as \"" + std::string(name) + "\"");
  if (name.empty()) throw RuntimeException(Description() + ": a control needs a name");
  if (m_control_positions.contains(name)) {
    throw RuntimeException(Description() + " already has a control named \"" + std::string(name) + "\"");
  }
  control->Attach(shared_from_this(), name);
  m_control_positions.emplace(name, m_controls.size());
  m_controls.push_back(control);
  if (m_constructed) {
    if (auto* rect = dynamic_cast<RectControl*>(control.get())) rect->CaptureDesignBounds();
  }
  control->JoinedWindow();
  NotifyPlatform();
}

Control& Window::ControlByName(std::string_view name) const { return *Find(name); }

std::shared_ptr<Control> Window::ControlPointer(std::string_view name) const { return Find(name); }

const std::shared_ptr<Control>& Window::Find(std::string_view name) const {
  const auto found = m_control_positions.find(name);
  if (found == m_control_positions.end()) {
    throw NilObjectException("the window " + std::string(ClassName()) + " has no control named \"" +
                             std::string(name) + "\"");
  }
  return m_controls[found->second];
}

void Window::SetMenuBar(std::shared_ptr<framework::MenuBar> menu_bar) {
  if (menu_bar == m_menu_bar) return;
  m_menu_bar = std::move(menu_bar);
  NotifyPlatform();
}

void Window::Show() {
  if (!m_open) throw RuntimeException(Description() + " is closed and cannot be shown again");
  if (!Visible()) {
    Set(prop::Visible, true);  // PropertyChanged shows it
    return;
  }
  // During construction the window is shown once its controls exist, not half-built.
  if (m_constructed) ShowNow();
}

void Window::Close() {
  // A window without a close button cannot be closed by the user; a closed one is gone already.
  if (!m_open || m_closing || !CloseButton()) return;
  const std::shared_ptr<Window> keep_alive = shared_from_this();
  m_closing = true;
  RaiseWindowEvent([this] { Event_Close(); });
  m_closing = false;
  m_open = false;
  UnregisterOpenWindow(*this);
  // Shown or hidden, the platform holds the window's timers, and its view if it was ever shown.
  if (RuntimeIsRunning()) CurrentPlatform().WindowClosed(*this);
  m_shown = false;
}

const std::string& Window::Title() const { return Get(prop::Title); }
std::int32_t Window::Width() const { return Get(prop::Width); }
std::int32_t Window::Height() const { return Get(prop::Height); }
std::int32_t Window::MinWidth() const { return Get(prop::MinWidth); }
std::int32_t Window::MinHeight() const { return Get(prop::MinHeight); }
std::int32_t Window::MaxWidth() const { return Get(prop::MaxWidth); }
std::int32_t Window::MaxHeight() const { return Get(prop::MaxHeight); }
bool Window::Visible() const { return Get(prop::Visible); }
bool Window::Resizeable() const { return Get(prop::Resizeable); }
bool Window::CloseButton() const { return Get(prop::CloseButton); }
bool Window::MaximizeButton() const { return Get(prop::MaximizeButton); }
bool Window::MinimizeButton() const { return Get(prop::MinimizeButton); }
bool Window::MenuBarVisible() const { return Get(prop::MenuBarVisible); }

void Window::Resize(std::int32_t width, std::int32_t height) {
  if (!m_open || !m_constructed || !Resizeable()) return;
  width = ClampSize(width, MinWidth(), MaxWidth());
  height = ClampSize(height, MinHeight(), MaxHeight());
  if (width == Width() && height == Height()) return;
  const std::shared_ptr<Window> keep_alive = shared_from_this();
  {
    // The controls are placed once, for both sides, not after each.
    const ScopedAssignment resizing(m_resizing, true);
    Set(prop::Width, width);
    Set(prop::Height, height);
  }
  SizeChanged();
}

void Window::PressReturn() {
  if (!m_open) return;
  if (PushButton* button = FirstButtonWith(m_controls, &PushButton::Default, true)) button->Press();
}

void Window::PressEscape() {
  if (!m_open) return;
  // Escape belongs to the first cancel button alone: while that one cannot be pressed, a later
  // cancel button, which may do something else entirely, must not answer in its place.
  if (PushButton* button = FirstButtonWith(m_controls, &PushButton::Cancel, false)) button->Press();
}

std::string Window::Description() const { return "the window " + std::string(ClassName()); }

void Window::PropertyChanged(std::string_view name) {
  if (prop::Visible == name) {
    // Construction shows a visible window itself, once its controls exist.
    if (!m_constructed || !m_open) return;
    if (Visible()) {
      ShowNow();
    } else if (m_shown) {
      NotifyPlatform();  // while still shown, so that the platform hears of it and hides the view
      m_shown = false;
    }
    return;
  }
  NotifyPlatform();
  if ((prop::Width == name || prop::Height == name) && m_constructed && !m_resizing && !ApplyingPropertyString()) {
    SizeChanged();
  }
}

void Window::PropertyStringBegins() {
  m_width_before_string = Width();
  m_height_before_string = Height();
}

void Window::PropertyStringApplied() {
  if (m_constructed && (Width() != m_width_before_string || Height() != m_height_before_string))
    SizeChanged();
}

void Window::NotifyPlatform() {
  if (m_shown && RuntimeIsRunning()) CurrentPlatform().WindowChanged(*this);
}

void Window::PlaceControls() {
  for (const auto& control : m_controls) {
    if (auto* rect = dynamic_cast<RectControl*>(control.get())) {
      rect->ApplyEdgeLocks(m_design_width, m_design_height, Width(), Height());
    }
  }
}

void Window::ShowNow() {
  m_shown = true;
  if (RuntimeIsRunning()) CurrentPlatform().WindowShown(*this);
}

void Window::SizeChanged() {
  PlaceControls();
  RaiseWindowEvent([this] { Event_Resizing(); });
}

}  // namespace framework
