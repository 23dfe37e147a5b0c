#include "framework/graphics.hpp"

namespace framework {

namespace {

ShapeStyle StyleOf(const Object2D& shape) {
  return ShapeStyle{shape.FillColor, shape.Fill, shape.BorderColor, shape.Border, shape.BorderWidth};
}

}  // namespace

void Graphics::DrawObject(const Object2D& shape, double x, double y) {
  if (const auto* group = dynamic_cast<const Group2D*>(&shape)) {
    // A group cannot hold itself (Group2D refuses it), so this recursion ends.
    const double member_x = x + group->X;
    const double member_y = y + group->Y;
    for (const auto& member : group->Members()) DrawObject(*member, member_x, member_y);
  } else if (const auto* oval = dynamic_cast<const OvalShape*>(&shape)) {
    DrawOval(oval->X + x, oval->Y + y, oval->Width, oval->Height, StyleOf(*oval));
  } else if (const auto* curve = dynamic_cast<const CurveShape*>(&shape)) {
    DrawLine(curve->X + x, curve->Y + y, curve->X2 + x, curve->Y2 + y, StyleOf(*curve));
  }
  // Other shapes (a plain RectShape) have no drawing of their own: the program never makes one.
}

}  // namespace framework
