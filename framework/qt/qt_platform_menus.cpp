// The menus of the Qt platform: the window's menu bar built from the model's, each item's action
// calling the model; and the standard Edit actions on the focused text field or text area.

#include "framework/qt/qt_platform_impl.hpp"

#include <memory>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_text_view.hpp"

namespace framework {

namespace {

// The text field or text area that has the focus (or contains the focused part), or null.
QWidget* FocusedTextWidget() {
  QWidget* widget = QApplication::focusWidget();
  if (widget == nullptr && QApplication::activeWindow() != nullptr) {
    widget = QApplication::activeWindow()->focusWidget();
  }
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<QPlainTextEdit*>(widget) != nullptr ||
        qobject_cast<QtTextView*>(widget) != nullptr) {
      return widget;
    }
    if (widget->isWindow()) break;
  }
  return nullptr;
}

// An Edit item on a Qt text editor (a QLineEdit or a QPlainTextEdit): the items that change the
// text only while the editor takes typing; `clear` removes the selection.
template <class Editor, class Clear>
void EditWith(Editor& editor, const std::string& name, Clear clear) {
  const bool editable = !editor.isReadOnly() && editor.isEnabled();
  if (name == "EditUndo" && editable) editor.undo();
  if (name == "EditCut" && editable) editor.cut();
  if (name == "EditCopy") editor.copy();
  if (name == "EditPaste" && editable) editor.paste();
  if (name == "EditClear" && editable) clear();
  if (name == "EditSelectAll") editor.selectAll();
}

}  // namespace

void QtPlatform::Impl::BuildMenuBar(qt::WindowView& view, const std::shared_ptr<framework::MenuBar>& menu_bar) {
  view.actions.clear();
  view.menu_bar = menu_bar;
  if (!menu_bar) {
    // QMainWindow deletes the menu bar it replaces once control is back in the event loop.
    view.top->setMenuBar(nullptr);
    return;
  }
  auto* bar = new QMenuBar(view.top);
  for (const auto& menu : menu_bar->Children()) {
    // Whatever sits on the bar is a menu, even one without items.
    if (menu->IsSeparator()) {
      bar->addSeparator();
      continue;
    }
    auto* qmenu = new QMenu(qt::Caption(menu->Text()), bar);
    for (const auto& item : menu->Children()) AddMenuEntry(view, *qmenu, item);
    bar->addMenu(qmenu);
    view.actions.emplace_back(menu.get(), qmenu->menuAction());
  }
  view.top->setMenuBar(bar);
}

void QtPlatform::Impl::AddMenuEntry(qt::WindowView& view, QWidget& parent, const std::shared_ptr<MenuItem>& item) {
  auto* menu = static_cast<QMenu*>(&parent);
  if (item->IsSeparator()) {
    view.actions.emplace_back(item.get(), menu->addSeparator());
    return;
  }
  if (item->Count() > 0) {
    auto* submenu = new QMenu(qt::Caption(item->Text()), menu);
    for (const auto& child : item->Children()) AddMenuEntry(view, *submenu, child);
    menu->addMenu(submenu);
    view.actions.emplace_back(item.get(), submenu->menuAction());
    return;
  }
  auto* action = new QAction(qt::Caption(item->Text()), menu);
  action->setShortcut(qt::KeySequence(item->KeyboardShortcut()));
  const std::weak_ptr<MenuItem> weak = item;
  QObject::connect(action, &QAction::triggered, action, [weak]() {
    if (auto target = weak.lock()) qt::CallModel([&] { target->Choose(); });
  });
  menu->addAction(action);
  view.actions.emplace_back(item.get(), action);
}

void QtPlatform::Impl::StandardMenuAction(const MenuItem& item) {
  QWidget* focused = FocusedTextWidget();
  const std::string& name = item.Name();
  // Edits go through the widget as if typed, so the model hears of them by the same signals.
  if (auto* field = qobject_cast<QLineEdit*>(focused)) {
    EditWith(*field, name, [field] {
      if (field->hasSelectedText()) field->del();
    });
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(focused)) {
    EditWith(*area, name, [area] {
      QTextCursor cursor = area->textCursor();
      cursor.removeSelectedText();
      area->setTextCursor(cursor);
    });
  } else if (auto* view = qobject_cast<QtTextView*>(focused)) {
    // Never editable: it only copies and selects.
    if (name == "EditCopy") view->Copy();
    if (name == "EditSelectAll") view->SelectAll();
  }
}

}  // namespace framework
