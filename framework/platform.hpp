#pragma once

// What a platform does for the model. The model is the single source of truth: it tells the
// platform what changed and the platform shows it; user actions come back through the model's
// entry points (PushButton::Press, Window::Resize, Timer::Tick, Canvas::Paint, ...).

namespace framework {

class Canvas;
class Control;
class MenuItem;
class Timer;
class Window;

class Platform {
 public:
  virtual ~Platform() = default;

  // The window is to be shown (or brought to the front if it already is): with its controls and
  // its menu bar.
  virtual void WindowShown(Window& window) = 0;
  // The window was closed, shown or hidden: its view, if it ever had one, and its timers go.
  virtual void WindowClosed(Window& window) = 0;
  // A property of a shown window changed.
  virtual void WindowChanged(Window& window) = 0;
  // A property of a control of a shown window changed.
  virtual void ControlChanged(Control& control) = 0;
  // The canvas asked for a repaint; the platform calls Canvas::Paint later.
  virtual void RepaintRequested(Canvas& canvas) = 0;
  // The timer joined an open window, or its Mode, Period or Enabled changed or it was reset while
  // its window is open, shown or hidden: (re)schedule or stop its ticks.
  virtual void TimerChanged(Timer& timer) = 0;
  // A menu item with no handler of the program's was chosen: the platform's standard action
  // (the Edit items act on the focused text field or text area).
  virtual void StandardMenuAction(MenuItem& item) = 0;

  // The event loop; returns once Quit() has been called.
  virtual void Run() = 0;
  virtual void Quit() = 0;
};

}  // namespace framework
