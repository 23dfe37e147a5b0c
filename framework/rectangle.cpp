#include "framework/controls.hpp"

namespace framework {

// A white area with a one-pixel black frame, as a new rectangle looks on a desktop.
Rectangle::Rectangle() {
  Define("FillColor", Colour::FromRgb(0xFFFFFF));
  Define("BorderWidth", std::int32_t{1});
  Define("TopLeftColor", Colour::FromRgb(0x000000));
  Define("BottomRightColor", Colour::FromRgb(0x000000));
  Define("InitialParent", std::string());
}

Colour Rectangle::FillColor() const { return Get<Colour>("FillColor"); }
std::int32_t Rectangle::BorderWidth() const { return Get<std::int32_t>("BorderWidth"); }
Colour Rectangle::TopLeftColor() const { return Get<Colour>("TopLeftColor"); }
Colour Rectangle::BottomRightColor() const { return Get<Colour>("BottomRightColor"); }

}  // namespace framework
