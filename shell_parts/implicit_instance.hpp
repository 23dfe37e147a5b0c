#pragma once

// The implicit instances: each window class has at most one live window, and the menu bar class
// one bar for the whole run, each reached through the accessor of its name.
//
// A window accessor returns the open window of its class or, if none is open (never opened, or
// closed by the user), constructs a new one, which shows itself because its property string makes
// it visible. The accessors live in this namespace so that they do not clash with the classes.
//
// Here are the accessors of what the main window reaches itself: the two text windows it opens and
// the menu bar it shares with the application. The main window's own accessor is the program's, in
// app/implicit_instance.hpp.

#include <memory>

#include "shell_parts/caliculate.hpp"
#include "shell_parts/keplar.hpp"
#include "shell_parts/menu_bar1.hpp"

namespace ImplicitInstance {

std::shared_ptr<::Caliculate> Caliculate();
std::shared_ptr<::Keplar> Keplar();

// The one menu bar: built on the first call, then the same object until shut-down releases it.
std::shared_ptr<::MenuBar1> MenuBar1();

}  // namespace ImplicitInstance
