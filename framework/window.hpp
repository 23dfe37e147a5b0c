#pragma once

// A window: its own properties, its controls under their names in creation order, its menu bar,
// and the hooks and events of its life.
//
// Construction is two-phase, because the hooks are virtual: make the object with std::make_shared,
// then call Constructor(), which
//   1. registers the window among the open windows (so a reference made during construction finds
//      it),
//   2. runs Layout (the window's own properties), then CreateControls,
//   3. takes every control's rectangle as its design rectangle at the design size,
//   4. shows the window if its Visible property is True,
//   5. raises Open, once all controls exist.
//
// Its properties are the window's table in property_kinds.hpp.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/name_index.hpp"
#include "framework/property_holder.hpp"
#include "framework/runtime_exception.hpp"

namespace framework {

class Control;
class MenuBar;
class PushButton;

class Window : public PropertyHolder, public std::enable_shared_from_this<Window> {
 public:
  ~Window() override;

  // The class-name string under which the window's implicit instance is registered,
  // e.g. "MainWindow.MainWindow".
  virtual std::string_view ClassName() const = 0;

  // Runs the construction steps above. Call once, on a window owned by a std::shared_ptr.
  void Constructor();

  // Creates a control object of class C for this window (not yet added).
  template <class C, class... Args>
  std::shared_ptr<C> New(Args&&... args) {
    return std::make_shared<C>(std::forward<Args>(args)...);
  }

  // Adds `control` under `name`; RuntimeException if the name is taken.
  void AddControl(std::string_view name, const std::shared_ptr<Control>& control);
  // The control of that name; NilObjectException naming the window class and the name if none.
  Control& ControlByName(std::string_view name) const;
  // As ControlByName, shared.
  std::shared_ptr<Control> ControlPointer(std::string_view name) const;
  std::size_t ControlCount() const { return m_controls.size(); }
  // Controls in creation order.
  const std::vector<std::shared_ptr<Control>>& Controls() const { return m_controls; }

  std::shared_ptr<framework::MenuBar> MenuBar() const { return m_menu_bar; }
  void SetMenuBar(std::shared_ptr<framework::MenuBar> menu_bar);

  // Shows the window (again) and brings it to the front.
  void Show();
  // Closes the window as its close button does: raises Close, then the window leaves the open
  // windows and its platform view goes. Nothing happens to a closed window or one whose
  // CloseButton is False.
  void Close();
  bool IsOpen() const { return m_open; }
  bool IsShown() const { return m_shown; }

  const std::string& Title() const;
  std::int32_t Width() const;
  std::int32_t Height() const;
  std::int32_t MinWidth() const;
  std::int32_t MinHeight() const;
  std::int32_t MaxWidth() const;
  std::int32_t MaxHeight() const;
  bool Visible() const;
  bool Resizeable() const;
  bool CloseButton() const;
  bool MaximizeButton() const;
  bool MinimizeButton() const;
  bool MenuBarVisible() const;
  // The size the controls were designed for: the size after Layout.
  std::int32_t DesignWidth() const { return m_design_width; }
  std::int32_t DesignHeight() const { return m_design_height; }

  // User actions, called by platforms and by tests.
  // Resizes the content area to `width` x `height`, limited to the minimum and maximum sizes:
  // the edge locks place every control, then Resizing is raised. Nothing happens when the size
  // stays the same, or to a window that is closed or not Resizeable.
  void Resize(std::int32_t width, std::int32_t height);
  // Return presses the first default button, in creation order, that takes user actions. Escape
  // presses the first cancel button in creation order, and only if it takes user actions.
  void PressReturn();
  void PressEscape();

  // The window's class-name string, for diagnostics.
  std::string Description() const override;

 protected:
  Window();

  // Construction hooks.
  virtual void Layout() {}
  virtual void CreateControls() {}
  // Window events.
  virtual void Event_Open() {}
  virtual void Event_Close() {}
  virtual void Event_Resizing() {}

  void PropertyChanged(std::string_view name) override;
  // A property string that changes the size of a constructed window places the controls once, at
  // its end.
  void PropertyStringBegins() override;
  void PropertyStringApplied() override;

 private:
  // The control of that name, or NilObjectException.
  const std::shared_ptr<Control>& Find(std::string_view name) const;
  void NotifyPlatform();
  void PlaceControls();
  // The window is shown (or brought to the front): the platform hears of it.
  void ShowNow();
  // After the size changed: the edge locks place every control, then Resizing is raised.
  void SizeChanged();
  // Runs a window event with the framework's default handling of an escaping exception.
  template <class F>
  void RaiseWindowEvent(F&& event);

  std::vector<std::shared_ptr<Control>> m_controls;
  // Where each control is in m_controls. A frame reaches a dozen controls by name, so a lookup
  // hashes the name instead of comparing it with every control's.
  NameIndex<std::size_t> m_control_positions;
  std::shared_ptr<framework::MenuBar> m_menu_bar;
  std::int32_t m_design_width = 0;
  std::int32_t m_design_height = 0;
  bool m_constructed = false;
  bool m_open = false;
  bool m_shown = false;
  bool m_closing = false;   // Close is running (its Close event may call Close again)
  bool m_resizing = false;  // Resize is storing the new size
  std::int32_t m_width_before_string = 0;
  std::int32_t m_height_before_string = 0;
};

// The implicit instance of window class W: the open window registered under `class_name`, or a
// new one, constructed (and so shown, if its Visible property says so).
template <class W>
std::shared_ptr<W> ImplicitWindow(std::string_view class_name);

}  // namespace framework

#include "framework/runtime.hpp"

template <class W>
std::shared_ptr<W> framework::ImplicitWindow(std::string_view class_name) {
  if (auto open = GetImplicitWindow(class_name)) return RuntimeCheckCast<W>(open);
  auto window = std::make_shared<W>();
  window->Constructor();
  return window;
}
