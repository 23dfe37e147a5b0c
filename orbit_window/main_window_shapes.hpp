#pragma once

// Making the shapes of a frame: a line or an oval with only the properties the frame sets; every
// other property keeps the framework's default (black, Fill and Border 100).

#include <memory>
#include <utility>

#include "framework/colour.hpp"
#include "framework/object2d.hpp"

namespace MainWindowShapes {

inline constexpr framework::Colour kMidGrey = framework::Colour::FromRgb(0x7F7F7F);
inline constexpr framework::Colour kLightGrey = framework::Colour::FromRgb(0xBDBDBD);

template <class S>
class ShapeBuilder {
 public:
  explicit ShapeBuilder(std::shared_ptr<S> shape) : m_shape(std::move(shape)) {}

  ShapeBuilder& Fill(double percent) {
    m_shape->Fill = percent;
    return *this;
  }
  ShapeBuilder& Border(double percent) {
    m_shape->Border = percent;
    return *this;
  }
  ShapeBuilder& BorderColor(framework::Colour colour) {
    m_shape->BorderColor = colour;
    return *this;
  }
  ShapeBuilder& FillColor(framework::Colour colour) {
    m_shape->FillColor = colour;
    return *this;
  }
  std::shared_ptr<S> Shape() { return std::move(m_shape); }

 private:
  std::shared_ptr<S> m_shape;
};

// A segment from (x, y) to (x2, y2).
inline ShapeBuilder<framework::CurveShape> Line(double x, double y, double x2, double y2) {
  auto line = std::make_shared<framework::CurveShape>();
  line->X = x;
  line->Y = y;
  line->X2 = x2;
  line->Y2 = y2;
  return ShapeBuilder<framework::CurveShape>(std::move(line));
}

// An ellipse of width x height centred on (x, y).
inline ShapeBuilder<framework::OvalShape> Oval(double x, double y, double width, double height) {
  auto oval = std::make_shared<framework::OvalShape>();
  oval->X = x;
  oval->Y = y;
  oval->Width = width;
  oval->Height = height;
  return ShapeBuilder<framework::OvalShape>(std::move(oval));
}

}  // namespace MainWindowShapes
