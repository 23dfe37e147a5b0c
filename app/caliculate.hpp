#pragma once

// The result window: one read-only text area, `tResult`, that shows the result table. It has no
// logic of its own and handles no window events. It is reached through
// ImplicitInstance::Caliculate(), which opens it on first use and after the user has closed it.

#include <string_view>

#include "framework/controls.hpp"
#include "framework/window.hpp"

class Caliculate final : public framework::Window {
 public:
  static constexpr std::string_view kClassName = "Caliculate.Caliculate";

  std::string_view ClassName() const override { return kClassName; }

  // Construction hooks: the window's own properties (no menu bar), then its one control.
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();

  // The text area; looked up by name on every call.
  framework::TextArea& tResult();
};
