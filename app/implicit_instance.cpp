#include "app/implicit_instance.hpp"

#include "framework/window.hpp"

namespace ImplicitInstance {

std::shared_ptr<::MainWindow> MainWindow() {
  return framework::ImplicitWindow<::MainWindow>(::MainWindow::kClassName);
}

}  // namespace ImplicitInstance
