#include "shell_parts/implicit_instance.hpp"

#include "framework/window.hpp"

namespace ImplicitInstance {

std::shared_ptr<::Caliculate> Caliculate() {
  return framework::ImplicitWindow<::Caliculate>(::Caliculate::kClassName);
}

std::shared_ptr<::Keplar> Keplar() { return framework::ImplicitWindow<::Keplar>(::Keplar::kClassName); }

std::shared_ptr<::MenuBar1> MenuBar1() {
  if (!::MenuBar1::implicitInstance) {
    auto bar = std::make_shared<::MenuBar1>();
    bar->Constructor();
    // Stored only once it is built: a constructor that fails leaves no half-built bar behind.
    ::MenuBar1::implicitInstance = bar;
  }
  return ::MenuBar1::implicitInstance;
}

}  // namespace ImplicitInstance
