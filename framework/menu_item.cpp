#include "framework/menu_item.hpp"

#include <string>

#include "framework/platform.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"

namespace framework {

namespace {

// Depth first: an item, then everything below it, before its next sibling.
std::shared_ptr<MenuItem> FindBelow(const MenuItem& root, std::string_view name) {
  for (const auto& child : root.Children()) {
    if (child->Name() == name) return child;
    if (auto found = FindBelow(*child, name)) return found;
  }
  return nullptr;
}

// How a diagnostic names a menu: the bar itself usually has no Name.
std::string MenuLabel(const MenuItem& menu) {
  return menu.Name().empty() ? std::string("the menu bar") : "the menu " + menu.Name();
}

}  // namespace

void MenuItem::Append(const std::shared_ptr<MenuItem>& item) {
  if (!item) throw RuntimeException("MenuItem::Append: no item to append to " + MenuLabel(*this));
  // An item inside itself would make every walk of the menu tree endless.
  if (item.get() == this || item->Contains(*this)) {
    throw RuntimeException("MenuItem::Append: " + item->Name() + " would contain itself");
  }
  m_children.push_back(item);
}

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const {
  for (const auto& child : m_children) {
    if (child->Name() == name) return child;
  }
  throw NilObjectException(MenuLabel(*this) + " has no item named " + std::string(name));
}

std::shared_ptr<MenuItem> MenuItem::Item(std::int32_t index) const {
  if (index < 0 || index >= Count()) {
    throw OutOfBoundsException(MenuLabel(*this) + " has no item at index " + std::to_string(index) +
                               " (it holds " + std::to_string(Count()) + ")");
  }
  return m_children[static_cast<std::size_t>(index)];
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const MenuItem& root, std::string_view name) {
  if (auto found = FindBelow(root, name)) return found;
  throw NilObjectException("no menu item named " + std::string(name) + " in " + MenuLabel(root));
}

void MenuItem::Choose() {
  // Choosing a menu only opens it, and a separator cannot be chosen; the standard action belongs
  // to the items.
  if (!m_children.empty() || IsSeparator()) return;
  CurrentPlatform().StandardMenuAction(*this);
}

bool MenuItem::Contains(const MenuItem& item) const {
  for (const auto& child : m_children) {
    if (child.get() == &item || child->Contains(item)) return true;
  }
  return false;
}

void QuitMenuItem::Choose() { Quit(0); }

}  // namespace framework
