#pragma once

// The program's one menu bar: a File menu holding only the quit item, and an Edit menu holding
// the standard editing items. No item has a handler of the program's own: the quit item quits
// through the framework, and the Edit items get the framework's standard action on the focused
// text.
//
// The one instance lives in `implicitInstance`, made on the first use of ImplicitInstance::MenuBar1()
// and released last at shut-down. The application and the main window share it.

#include <memory>
#include <string_view>

#include "framework/menu_item.hpp"

class MenuBar1 : public framework::MenuBar {
 public:
  static constexpr std::string_view kClassName = "MenuBar1.MenuBar1";

  // The one instance of the run; null before the first use and after shut-down.
  static std::shared_ptr<MenuBar1> implicitInstance;

  // Builds the File menu, then the Edit menu.
  void Constructor();
  // The File menu: FileMenu with FileQuit.
  void Untitled0();
  // The Edit menu: Undo, a separator, Cut, Copy, Paste, Clear, a separator, Select All.
  void Untitled1();
};
