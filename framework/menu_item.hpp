#pragma once

// Menus: a menu bar holds menus, a menu holds items; all are MenuItems found by Name.
// An item whose Text is "-" is a separator.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

class MenuItem : public std::enable_shared_from_this<MenuItem> {
 public:
  MenuItem() = default;
  virtual ~MenuItem() = default;
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& Name() const { return m_name; }
  void SetName(std::string_view name) { m_name = name; }
  const std::string& Text() const { return m_text; }
  void SetText(std::string_view text) { m_text = text; }
  // "Cmd+Q" style: "Cmd" is the platform's command key (Ctrl here). Empty: no shortcut.
  const std::string& KeyboardShortcut() const { return m_shortcut; }
  void SetKeyboardShortcut(std::string_view shortcut) { m_shortcut = shortcut; }
  bool AutoEnable() const { return m_auto_enable; }
  void SetAutoEnable(bool value) { m_auto_enable = value; }
  bool IsSeparator() const { return m_text == "-"; }

  // Appends a child; RuntimeException if it would put an item inside itself.
  void Append(const std::shared_ptr<MenuItem>& item);
  // The direct child with that Name; NilObjectException if there is none.
  std::shared_ptr<MenuItem> Child(std::string_view name) const;
  std::int32_t Count() const { return static_cast<std::int32_t>(m_children.size()); }
  // The child at `index` (from 0); OutOfBoundsException outside.
  std::shared_ptr<MenuItem> Item(std::int32_t index) const;
  const std::vector<std::shared_ptr<MenuItem>>& Children() const { return m_children; }

  // The item of that Name anywhere below `root` (depth first); NilObjectException if none.
  static std::shared_ptr<MenuItem> Lookup(const MenuItem& root, std::string_view name);

  // User action: the item was chosen. An item the program gives no handler gets the framework's
  // standard action: the platform's edit action for the Edit items, nothing for a menu.
  virtual void Choose();

 private:
  bool Contains(const MenuItem& item) const;

  std::string m_name;
  std::string m_text;
  std::string m_shortcut;
  bool m_auto_enable = false;
  std::vector<std::shared_ptr<MenuItem>> m_children;
};

// The framework's quit item: choosing it quits the application with status 0.
class QuitMenuItem : public MenuItem {
 public:
  void Choose() override;
};

// The root of a menu bar; its children are the menus, left to right.
class MenuBar : public MenuItem {};

}  // namespace framework
