#include "shell_parts/menu_bar1.hpp"

#include <optional>
#include <string>

namespace {

// One menu or item as the bar is built: every one is found by Name and enabled automatically. The
// separators never have their shortcut assigned, so they keep the framework's default.
void Equip(framework::MenuItem& item, std::string_view name, std::string_view text,
           std::optional<std::string_view> shortcut) {
  item.SetName(name);
  item.SetAutoEnable(true);
  item.SetText(text);
  if (shortcut) item.SetKeyboardShortcut(*shortcut);
}

std::shared_ptr<framework::MenuItem> NewItem(std::string_view name, std::string_view text,
                                             std::optional<std::string_view> shortcut) {
  auto item = std::make_shared<framework::MenuItem>();
  Equip(*item, name, text, shortcut);
  return item;
}

}  // namespace

std::shared_ptr<MenuBar1> MenuBar1::implicitInstance;

void MenuBar1::Constructor() {
  Untitled0();
  Untitled1();
}

void MenuBar1::Untitled0() {
  Append(NewItem("FileMenu", "ファイル", ""));

  auto quit = std::make_shared<framework::QuitMenuItem>();
  Equip(*quit, "FileQuit", "終了", "Cmd+Q");
  // Each item goes to its menu as found on the bar at that moment.
  Child("FileMenu")->Append(quit);
}

void MenuBar1::Untitled1() {
  Append(NewItem("EditMenu", "編集", ""));

  // The separator names end in 1 for the upper and 0 for the lower separator.
  Child("EditMenu")->Append(NewItem("EditUndo", "元に戻す", "Cmd+Z"));
  Child("EditMenu")->Append(NewItem("UntitledMenu1", "-", std::nullopt));
  Child("EditMenu")->Append(NewItem("EditCut", "カット", "Cmd+X"));
  Child("EditMenu")->Append(NewItem("EditCopy", "コピー", "Cmd+C"));
  Child("EditMenu")->Append(NewItem("EditPaste", "貼り付け", "Cmd+V"));
  Child("EditMenu")->Append(NewItem("EditClear", "削除", ""));
  Child("EditMenu")->Append(NewItem("UntitledMenu0", "-", std::nullopt));
  Child("EditMenu")->Append(NewItem("EditSelectAll", "すべてを選択", "Cmd+A"));
}
