#pragma once

// The Qt 6 platform: shows the framework's windows as real desktop windows. It holds nothing but
// the mapping from model objects to Qt objects and decides nothing: every Qt signal becomes a call
// of one of the model's user-action entry points, and every paint draws what the model says.
//
// Supported
//  [x] Windows: one top-level window per shown model window, its content area exactly Width x
//      Height, its title, its minimum and maximum content size, a fixed size unless Resizeable;
//      close, minimise and maximise buttons as CloseButton, MinimizeButton, MaximizeButton say.
//  [x] The close button asks the model (Window::Close); the window goes when the model says so.
//  [x] Resizing by the user reaches the model (Window::Resize), which places the controls.
//  [x] Controls at their model rectangles, later ones on top of earlier ones: Rectangle (fill and
//      frame colours), Canvas, PushButton, Label, TextField, TextArea, Slider, CheckBox; Visible,
//      Enabled, Bold, Italic, Underline; the help tag as a tooltip, CR shown as a line break.
//  [x] Text fields: text of any length; with LimitText above 0 the user's edits never make the
//      text longer than LimitText or than the text as code last set it, whichever is longer.
//  [x] Text areas: one line per CR; read-only; horizontal scroll bar or word wrap; vertical bar;
//      a TAB four digits wide. A read-only area with a horizontal scroll bar (a table) is shown by
//      QtTextView instead, which takes a million lines at once and lines TABs up in columns.
//  [x] Keyboard: Return presses the default button, Escape a cancel button, through the model;
//      Tab follows TabIndex among controls with TabStop; a canvas takes the focus only with
//      AcceptFocus.
//  [x] The window's menu bar: menus, separators ("-"), items with shortcuts ("Cmd" is Ctrl); a
//      window without a menu bar of its own shows the application's.
//  [x] Edit items the program does not handle: undo, cut, copy, paste, clear (the selection) and
//      select all on the focused text field or text area; a read-only one only copies and selects.
//  [x] Canvas painting with QPainter, antialiased; Fill and Border are opacities in percent.
//  [x] Timers: one precise QTimer per model timer, in shown and hidden windows alike, keeping the
//      timer's schedule: a late wake-up delivers every tick due since, unless it is more than
//      20 ms behind; no wake-up comes before the due time; a timer that may not tick (disabled,
//      Mode 0, a period of 0 or less) does not wake; a closed window's QTimers go at its close.
//  [x] A default font that draws Japanese, when such a font is installed.
//  [x] Qt's own texts (context menus of text fields) in Japanese, when Qt's translations are
//      installed.
//  [x] A window paints at most once per refresh of its screen; the latest frame is always shown.
//  [ ] Not shown: Placement, Frame, Composite, MacProcID, FullScreen, LiveResize, the window's
//      BackColor, text fonts other than the system font, LineSpacing, Password, CueText, Mask,
//      a text area's LimitText, Format, TickStyle, ButtonStyle, AutoEnable of menu items.

#include <chrono>
#include <functional>
#include <memory>

#include "framework/platform.hpp"

class QAction;
class QTimer;
class QWidget;

namespace framework {

class QtPlatform : public Platform {
 public:
  // Creates the QApplication (or uses the one that already exists). `argc` and `argv` must
  // outlive the platform. The application does not end when its last window closes: the model
  // decides when to quit.
  QtPlatform(int& argc, char** argv);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // Whether Qt can be expected to find a display: QT_QPA_PLATFORM names a platform, the Wayland
  // socket exists, or the X server that DISPLAY names answers. Check it before constructing the
  // platform, which without a display would abort.
  static bool DisplayAvailable();

  // Platform.
  void WindowShown(Window& window) override;
  void WindowClosed(Window& window) override;
  void WindowChanged(Window& window) override;
  void ControlChanged(Control& control) override;
  void RepaintRequested(Canvas& canvas) override;
  void TimerChanged(Timer& timer) override;
  void StandardMenuAction(MenuItem& item) override;
  void Run() override;
  void Quit() override;

  // The Qt objects that show a model object, for tests; null while it is not shown.
  QWidget* WindowWidgetFor(const Window& window) const;
  QWidget* ContentWidgetFor(const Window& window) const;
  QWidget* WidgetFor(const Control& control) const;
  // The action of a menu item in `window`'s menu bar (a menu's own action for a menu).
  QAction* ActionFor(const Window& window, const MenuItem& item) const;
  // The same, in the first shown window whose menu bar holds the item.
  QAction* ActionFor(const MenuItem& item) const;
  QTimer* TimerFor(const Timer& timer) const;
  // The clock that timers keep their schedules by, as the time since its epoch: the steady clock,
  // unless a test sets another (before it starts a timer) to see late wake-ups without waiting.
  using Clock = std::function<std::chrono::nanoseconds()>;
  void SetTimerClock(Clock clock);

 private:
  class Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace framework
