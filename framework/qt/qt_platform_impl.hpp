#pragma once

// The inside of the Qt platform, shared only by its own qt_platform*.cpp files: the mapping from
// model objects to Qt objects, and the Impl class whose methods those files define section by
// section. How each kind of control is shown is its adapter's (qt_control_adapter.hpp).

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include "framework/controls.hpp"
#include "framework/menu_item.hpp"
#include "framework/qt/qt_call_model.hpp"
#include "framework/qt/qt_content_widget.hpp"
#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_platform.hpp"
#include "framework/qt/qt_window_widget.hpp"
#include "framework/runtime.hpp"
#include "framework/tick_schedule.hpp"
#include "framework/timer.hpp"
#include "framework/window.hpp"

namespace framework::qt {

struct ControlView {
  std::weak_ptr<Control> control;
  QPointer<QWidget> widget;
  // The adapter that made the widget and keeps it as the model has the control.
  const ControlAdapter* adapter = nullptr;
  // The TabIndex by which the tab order last placed the widget; none while Tab does not reach it.
  std::optional<std::int32_t> tab_place;
};

struct WindowView {
  const Window* key = nullptr;
  std::weak_ptr<Window> window;
  QPointer<QtWindowWidget> top;
  QPointer<QtContentWidget> content;
  std::map<const Control*, ControlView> controls;
  // The menu bar that the Qt menu bar was built from, and the action of each of its items.
  std::weak_ptr<MenuItem> menu_bar;
  std::vector<std::pair<const MenuItem*, QPointer<QAction>>> actions;
  // True while the platform itself resizes the window, so that the resize is not reported back.
  bool syncing = false;
  // True while the model handles a resize by the user; then a size correction waits until Qt has
  // finished laying out the window.
  bool in_resize_event = false;
  bool resize_pending = false;
};

struct TimerView {
  std::weak_ptr<Control> timer;
  const Window* owner = nullptr;
  // Single-shot, armed for the schedule's next due time.
  QPointer<QTimer> qtimer;
  TickSchedule<std::chrono::nanoseconds> schedule;
};

}  // namespace framework::qt

namespace framework {

// Each group of methods is defined in the file named after it: life and lookups in
// qt_platform.cpp, the rest in qt_platform_windows.cpp, qt_platform_controls.cpp,
// qt_platform_menus.cpp and qt_platform_timers.cpp.
class QtPlatform::Impl final : public qt::UserActionSink {
 public:
  Impl(int& argc, char** argv);
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  // Life.
  void Run();
  void Quit();

  // Windows.
  void ShowWindow(Window& window);
  void CloseWindow(const Window& window);
  void SyncWindow(qt::WindowView& view, Window& window);

  // Controls.
  void ControlChanged(Control& control);
  void Repaint(const Canvas& canvas);
  void Deliver(const std::weak_ptr<Control>& weak, const std::function<void(Control&)>& action) override;

  // Menus.
  void StandardMenuAction(const MenuItem& item);

  // Timers.
  void SyncTimer(Timer& timer);
  // The time that timers keep their schedules by: timer_clock's, or the steady clock's.
  std::chrono::nanoseconds Now() const;
  QtPlatform::Clock timer_clock;

  // Lookups.
  qt::WindowView* FindWindow(const Window& window) const { return FindWindow(&window); }
  // By address; null also when the window at that address is not the one that was shown.
  qt::WindowView* FindWindow(const Window* key) const;
  std::pair<qt::WindowView*, qt::ControlView*> FindControl(const Control& control) const;
  QAction* FindAction(const qt::WindowView& view, const MenuItem& item) const;
  QTimer* FindTimer(const Timer& timer) const;

  std::vector<std::unique_ptr<qt::WindowView>> windows;

 private:
  // A new view of `window`: its top-level window and content area, not yet synced or shown.
  qt::WindowView& CreateWindowView(Window& window);
  void CreateWidget(qt::WindowView& view, const std::shared_ptr<Control>& control);
  void SyncControl(qt::ControlView& view, Control& control);
  // Shows the control by a widget of the class it now needs, in the old one's place.
  void ReplaceWidget(qt::ControlView& view, Control& control);
  void ApplyTabOrder(qt::WindowView& view, const Window& window);
  // Whether the control's TabIndex or tab stop changed since the tab order was last applied.
  static bool TabPlaceChanged(const qt::ControlView& view, const Control& control);
  void ApplyContentSize(qt::WindowView& view, const Window& window);
  void BuildMenuBar(qt::WindowView& view, const std::shared_ptr<framework::MenuBar>& menu_bar);
  void AddMenuEntry(qt::WindowView& view, QWidget& parent, const std::shared_ptr<MenuItem>& item);
  void OnContentResized(const Window* key, QSize size);
  // Arms the timer's QTimer for its next due time.
  void Arm(qt::TimerView& view);
  void OnTick(const Timer* key);
  // Takes a Qt object out of service now and deletes it once control is back in the event loop
  // (it may be the very widget whose signal is being handled).
  void Retire(QObject* object);

  std::unique_ptr<QApplication> m_application;  // null when the application was already there
  std::map<const Timer*, qt::TimerView> m_timers;
  std::vector<QPointer<QObject>> m_retired;
  bool m_running = false;
  bool m_quit_pending = false;
};

}  // namespace framework
