#pragma once

// A drawing surface. DrawObject walks a shape or a group and hands each primitive, in pixel
// coordinates of the surface, to the platform's implementation.

#include <span>

#include "framework/colour.hpp"
#include "framework/object2d.hpp"

namespace framework {

// How a primitive is painted: colours, and opacities in percent (0 to 100).
struct ShapeStyle {
  Colour fill_color{};
  double fill = 100.0;
  Colour border_color{};
  double border = 100.0;
  double border_width = 1.0;

  friend bool operator==(const ShapeStyle&, const ShapeStyle&) = default;
};

// A point in pixel coordinates of a surface.
struct Point2D {
  double x = 0.0;
  double y = 0.0;
};

class Graphics {
 public:
  virtual ~Graphics() = default;

  // Draws `shape` offset by (x, y); a group draws its members in order. Not to be called, on any
  // surface, from within the primitives it hands on: a run's points live in a buffer of the thread.
  void DrawObject(const Object2D& shape, double x = 0.0, double y = 0.0);

 protected:
  virtual void DrawLine(double x1, double y1, double x2, double y2, const ShapeStyle& style) = 0;
  virtual void DrawOval(double centre_x, double centre_y, double width, double height,
                        const ShapeStyle& style) = 0;
  // Two or more consecutive CurveShapes of one group that share one style and each start exactly
  // (to the bit) where the one before ends: the segments from each point to the next. A graph's
  // polyline arrives here whole, so that a platform can paint it in one go; by default each
  // segment goes to DrawLine, exactly as if it had been drawn alone.
  virtual void DrawPolyline(std::span<const Point2D> points, const ShapeStyle& style);

 private:
  void DrawMembers(const Group2D& group, double x, double y);
};

// A surface that keeps nothing.
class NullGraphics : public Graphics {
 protected:
  void DrawLine(double, double, double, double, const ShapeStyle&) override {}
  void DrawOval(double, double, double, double, const ShapeStyle&) override {}
};

}  // namespace framework
