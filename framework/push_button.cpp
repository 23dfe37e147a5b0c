#include "framework/controls.hpp"

namespace framework {

PushButton::PushButton() : TextControl(kinds::PushButton) {}

const std::string& PushButton::Caption() const { return Get(prop::Caption); }
void PushButton::SetCaption(std::string_view caption) { Set(prop::Caption, std::string(caption)); }
bool PushButton::Default() const { return Get(prop::Default); }
void PushButton::SetDefault(bool value) { Set(prop::Default, value); }
bool PushButton::Cancel() const { return Get(prop::Cancel); }

void PushButton::Press() {
  if (!AcceptsUserAction()) return;
  RaiseEvent("Action");
}

}  // namespace framework
