#include <algorithm>

#include "framework/controls.hpp"

namespace framework {

Slider::Slider() {
  Define("TabStop", true);
  Define("Minimum", std::int32_t{0});
  Define("Value", std::int32_t{0});
  Define("Maximum", std::int32_t{100});
  Define("LineStep", std::int32_t{1});
  Define("PageStep", std::int32_t{10});
  Define("LiveScroll", true);
  Define("TickStyle", std::int32_t{0});
  Define("InitialParent", std::string());
}

std::int32_t Slider::Minimum() const { return Get<std::int32_t>("Minimum"); }
std::int32_t Slider::Maximum() const { return Get<std::int32_t>("Maximum"); }
std::int32_t Slider::Value() const { return Get<std::int32_t>("Value"); }
void Slider::SetValue(std::int32_t value) { Set("Value", value); }
std::int32_t Slider::LineStep() const { return Get<std::int32_t>("LineStep"); }
std::int32_t Slider::PageStep() const { return Get<std::int32_t>("PageStep"); }
bool Slider::LiveScroll() const { return Get<bool>("LiveScroll"); }

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
  if (name == "Value" && !ApplyingPropertyString()) return Clamped(std::get<std::int32_t>(value));
  return RectControl::CheckedValue(name, std::move(value));
}

void Slider::PropertyChanged(std::string_view name) {
  RectControl::PropertyChanged(name);
  if (ApplyingPropertyString()) return;
  if (name == "Value") {
    RaiseEvent("ValueChanged");
  } else if (name == "Minimum" || name == "Maximum") {
    // A new range takes the value with it; ValueChanged follows if it moved.
    Set("Value", Value());
  }
}

void Slider::PropertyStringBegins() { m_value_before_string = Value(); }

void Slider::PropertyStringApplied() {
  Set("Value", Clamped(Value()));
  if (Value() != m_value_before_string) RaiseEvent("ValueChanged");
}

}  // namespace framework
