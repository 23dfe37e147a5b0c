#pragma once

// The main window's own timer class: the object behind the window's `Timer1` control, otherwise
// a plain framework Timer (Mode, Period, Enabled, the Action event).
//
// Its window and its control-array index are those every control has: Control::Window() and
// Control::Index() / SetIndex(), given to it when the window adds it. The window is held weakly:
// the window owns the timer, so a counted reference back would keep both alive for ever. Once
// the window is gone, Window() raises NilObjectException.

#include <string_view>

#include "framework/timer.hpp"

class MainWindowTimer1 final : public framework::Timer {
 public:
  static constexpr std::string_view kClassName = "MainWindow.Timer1";

  // Run by the window right after it creates the timer, before it adds it.
  void Constructor();
};
