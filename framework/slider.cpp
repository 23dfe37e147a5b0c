#include <algorithm>

#include "framework/controls.hpp"

namespace framework {

Slider::Slider() : RectControl(kinds::Slider) {}

std::int32_t Slider::Minimum() const { return Get(prop::Minimum); }
std::int32_t Slider::Maximum() const { return Get(prop::Maximum); }
std::int32_t Slider::Value() const { return Get(prop::SliderValue); }
void Slider::SetValue(std::int32_t value) { Set(prop::SliderValue, value); }
std::int32_t Slider::LineStep() const { return Get(prop::LineStep); }
std::int32_t Slider::PageStep() const { return Get(prop::PageStep); }
bool Slider::LiveScroll() const { return Get(prop::LiveScroll); }

void Slider::MoveTo(std::int32_t value) {
  if (!AcceptsUserAction()) return;
  SetValue(value);
}

std::int32_t Slider::Clamped(std::int32_t value) const {
  // Not std::clamp, whose result is undefined for an empty range.
  return std::max(Minimum(), std::min(value, Maximum()));
}

PropertyValue Slider::CheckedValue(std::string_view name, PropertyValue value) const {
  // Within a property string Value may come before the Maximum that admits it.
  if (prop::SliderValue == name && !ApplyingPropertyString()) return Clamped(std::get<std::int32_t>(value));
  return RectControl::CheckedValue(name, std::move(value));
}

void Slider::PropertyChanged(std::string_view name) {
  RectControl::PropertyChanged(name);
  if (ApplyingPropertyString()) return;
  if (prop::SliderValue == name) {
    RaiseEvent("ValueChanged");
  } else if (prop::Minimum == name || prop::Maximum == name) {
    // A new range takes the value with it; ValueChanged follows if it moved.
    Set(prop::SliderValue, Value());
  }
}

void Slider::PropertyStringBegins() { m_value_before_string = Value(); }

void Slider::PropertyStringApplied() {
  Set(prop::SliderValue, Clamped(Value()));
  if (Value() != m_value_before_string) RaiseEvent("ValueChanged");
}

}  // namespace framework
