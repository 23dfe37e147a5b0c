#pragma once

// The main window's implicit instance, the program's own: the start-up opens the main window
// through it. It returns the open main window or, if none is open, constructs a new one, which
// shows itself because its property string makes it visible.
//
// The accessors of the windows the main window opens, and of the menu bar, sit a layer below in
// shell_parts/implicit_instance.hpp; this header brings them along, so that the program and its
// tests reach every implicit instance through one include.

#include <memory>

#include "orbit_window/main_window.hpp"
#include "shell_parts/implicit_instance.hpp"

namespace ImplicitInstance {

std::shared_ptr<::MainWindow> MainWindow();

}  // namespace ImplicitInstance
