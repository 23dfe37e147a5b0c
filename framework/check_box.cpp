#include "framework/controls.hpp"
#include "framework/runtime_exception.hpp"

namespace framework {

namespace {
constexpr std::int32_t kUnchecked = 0;
constexpr std::int32_t kChecked = 1;
constexpr std::int32_t kMixed = 2;
}  // namespace

CheckBox::CheckBox() : TextControl(kinds::CheckBox) {}

const std::string& CheckBox::Caption() const { return Get(prop::Caption); }
bool CheckBox::Value() const { return Get(prop::CheckBoxValue); }
void CheckBox::SetValue(bool value) { Set(prop::CheckBoxValue, value); }
std::int32_t CheckBox::State() const { return Get(prop::State); }

void CheckBox::Toggle() {
  if (!AcceptsUserAction()) return;
  SetValue(!Value());
}

PropertyValue CheckBox::CheckedValue(std::string_view name, PropertyValue value) const {
  if (prop::State == name) {
    const std::int32_t state = std::get<std::int32_t>(value);
    if (state != kUnchecked && state != kChecked && state != kMixed) {
      throw RuntimeException(Description() + ": State " + std::to_string(state) +
                             " is none of 0 (unchecked), 1 (checked) and 2 (mixed)");
    }
  }
  return TextControl::CheckedValue(name, std::move(value));
}

void CheckBox::PropertyChanged(std::string_view name) {
  TextControl::PropertyChanged(name);
  // Value is True exactly when State is checked; a mixed box reads False. Each side is corrected
  // only when it disagrees, so a mixed State survives a Value of False.
  if (prop::State == name) {
    if (Value() != (State() == kChecked)) Set(prop::CheckBoxValue, State() == kChecked);
  } else if (prop::CheckBoxValue == name) {
    if (Value() != (State() == kChecked)) Set(prop::State, Value() ? kChecked : kUnchecked);
    if (!ApplyingPropertyString()) RaiseEvent("Action");
  }
}

void CheckBox::PropertyStringBegins() { m_value_before_string = Value(); }

void CheckBox::PropertyStringApplied() {
  if (Value() != m_value_before_string) RaiseEvent("Action");
}

}  // namespace framework
