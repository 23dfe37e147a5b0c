#pragma once

// The implicit instances: each window class has at most one live window, and the menu bar class
// one bar for the whole run, each reached through the accessor of its name.
//
// A window accessor returns the open window of its class or, if none is open (never opened, or
// closed by the user), constructs a new one, which shows itself because its property string makes
// it visible. The accessors live in this namespace so that they do not clash with the classes.

#include <memory>

#include "app/caliculate.hpp"
#include "app/keplar.hpp"
#include "app/menu_bar1.hpp"
#include "orbit_window/main_window.hpp"

namespace ImplicitInstance {

std::shared_ptr<::MainWindow> MainWindow();
std::shared_ptr<::Caliculate> Caliculate();
std::shared_ptr<::Keplar> Keplar();

// The one menu bar: built on the first call, then the same object until shut-down releases it.
std::shared_ptr<::MenuBar1> MenuBar1();

}  // namespace ImplicitInstance
