#pragma once

// A canvas's drawing surface on Qt: the model's primitives painted with a QPainter.

#include <span>

#include "framework/graphics.hpp"

class QPainter;

namespace framework {

class QtGraphics : public Graphics {
 public:
  // Paints on `painter`, which must outlive this object, antialiased; the painter's state is
  // restored when this object goes.
  explicit QtGraphics(QPainter& painter);
  ~QtGraphics() override;
  QtGraphics(const QtGraphics&) = delete;
  QtGraphics& operator=(const QtGraphics&) = delete;

 protected:
  // A segment in BorderColor at Border% opacity, BorderWidth wide; nothing when either is 0.
  void DrawLine(double x1, double y1, double x2, double y2, const ShapeStyle& style) override;
  // An ellipse: interior in FillColor at Fill%, outline in BorderColor at Border% and
  // BorderWidth wide; a part whose opacity or width is 0 is left out.
  void DrawOval(double centre_x, double centre_y, double width, double height,
                const ShapeStyle& style) override;
  // The same picture as each segment drawn by DrawLine, in one call to the painter; a run with
  // more points than the pixels it spans is first thinned to what the pixels can show.
  void DrawPolyline(std::span<const Point2D> points, const ShapeStyle& style) override;

 private:
  void PaintSegments(std::span<const Point2D> points);

  QPainter& m_painter;
};

}  // namespace framework
