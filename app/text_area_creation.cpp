#include "app/text_area_creation.hpp"

#include "framework/controls.hpp"
#include "framework/property_holder.hpp"
#include "framework/runtime_exception.hpp"

namespace {

framework::TextArea& TextAreaNamed(framework::Window& window, std::string_view name) {
  return framework::RuntimeCheckCast<framework::TextArea>(window.ControlByName(name));
}

}  // namespace

void CreateTextArea(framework::Window& window, std::string_view name, std::string_view properties) {
  window.AddControl(name, window.New<framework::TextArea>());
  // Set by code, before the string: no text area string carries either value.
  TextAreaNamed(window, name).SetLineSpacing(1.0);
  TextAreaNamed(window, name).SetTextUnit(0);
  framework::SetProperties(TextAreaNamed(window, name), properties);
}
