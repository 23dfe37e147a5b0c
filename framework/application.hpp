#pragma once

#include <memory>

namespace framework {

class MenuBar;

// The application object: one per run, registered with the runtime, holding the application's
// menu bar.
class Application {
 public:
  virtual ~Application() = default;

  std::shared_ptr<framework::MenuBar> MenuBar() const { return m_menu_bar; }
  void SetMenuBar(std::shared_ptr<framework::MenuBar> menu_bar) { m_menu_bar = std::move(menu_bar); }

 private:
  std::shared_ptr<framework::MenuBar> m_menu_bar;
};

}  // namespace framework
