#include "framework/controls.hpp"

namespace framework {

Rectangle::Rectangle() : RectControl(kinds::Rectangle) {}

Colour Rectangle::FillColor() const { return Get(prop::FillColor); }
std::int32_t Rectangle::BorderWidth() const { return Get(prop::BorderWidth); }
Colour Rectangle::TopLeftColor() const { return Get(prop::TopLeftColor); }
Colour Rectangle::BottomRightColor() const { return Get(prop::BottomRightColor); }

}  // namespace framework
