#include "framework/headless/headless_platform.hpp"

namespace framework {

void RecordingGraphics::DrawLine(double x1, double y1, double x2, double y2, const ShapeStyle& style) {
  m_primitives.push_back(DrawnPrimitive{DrawnPrimitive::Kind::Line, x1, y1, x2, y2, style});
}

void RecordingGraphics::DrawOval(double centre_x, double centre_y, double width, double height,
                                 const ShapeStyle& style) {
  m_primitives.push_back(DrawnPrimitive{DrawnPrimitive::Kind::Oval, centre_x, centre_y, width, height, style});
}

}  // namespace framework
