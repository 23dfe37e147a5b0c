#include "framework/controls.hpp"

namespace framework {

PushButton::PushButton() {
  Define("TabStop", true);
  Define("Caption", std::string());
  Define("Default", false);
  Define("Cancel", false);
  Define("ButtonStyle", std::int32_t{0});
  Define("InitialParent", std::string());
}

const std::string& PushButton::Caption() const { return Get<std::string>("Caption"); }
void PushButton::SetCaption(std::string_view caption) { Set("Caption", std::string(caption)); }
bool PushButton::Default() const { return Get<bool>("Default"); }
void PushButton::SetDefault(bool value) { Set("Default", value); }
bool PushButton::Cancel() const { return Get<bool>("Cancel"); }

void PushButton::Press() {
  if (!AcceptsUserAction()) return;
  RaiseEvent("Action");
}

}  // namespace framework
