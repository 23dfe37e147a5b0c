#pragma once

// Running the real program on the test's Qt platform, for tests that act on it through its widgets.

#include <cstdint>
#include <functional>

#include "orbit_window/main_window.hpp"

namespace qt_test {

// Exit statuses that no code of the program gives, so that a test can tell them from its own.
inline constexpr std::int32_t kChecksDidNotQuit = 77;
inline constexpr std::int32_t kWatchdogQuit = 78;

// Runs the program; `checks` runs once the event loop has started, with the main window, and ends
// the run itself (by Quit or by the action under test). Checks that stop early end the run with
// kChecksDidNotQuit, and a run still going after `limit_ms` is ended with kWatchdogQuit, so a
// failure never blocks the test program. Returns ProgramMain's status.
std::int32_t RunProgram(const std::function<void(MainWindow&)>& checks, int limit_ms = 10000);

}  // namespace qt_test
