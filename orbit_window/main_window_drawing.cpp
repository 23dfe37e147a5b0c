// Building a frame: the orbit figure on cOrbit (axes, reference circle with its body and radius,
// ellipse, focus mark, orbit body and radius vector) and, through the graph step, the graph on
// cPath; and the two Paint handlers that draw what the frame built.
//
// Every position in the orbit figure is a whole pixel: the Int32 of ChangeAxisX/ChangeAxisY, with
// the focus mark's +-5 added before the conversion to Double. Only the ellipse's height is not
// rounded.

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

#include "framework/colour.hpp"
#include "framework/number_conversion.hpp"
#include "framework/text_conversion.hpp"
#include "orbit_math/keplar_module.hpp"
#include "orbit_math/meridional_distance.hpp"
#include "orbit_window/main_window.hpp"
#include "orbit_window/main_window_shapes.hpp"

using framework::Int32ToDouble;
using MainWindowShapes::kLightGrey;
using MainWindowShapes::kMidGrey;
using MainWindowShapes::Line;
using MainWindowShapes::Oval;

namespace {
constexpr double kTwoPi = 6.283185307179586;
// The bodies are discs of this many pixels across.
constexpr double kBodySize = 5.0;
// Half the length of a stroke of the focus mark, in pixels.
constexpr double kFocusMark = 5.0;

// The Int32 `pixel` moved by `offset` whole pixels. In Double the sum is the exact Int32 sum
// wherever that exists, and cannot overflow when a hostile eccentricity drove the pixel to the
// end of the Int32 range.
double Offset(std::int32_t pixel, double offset) { return Int32ToDouble(pixel) + offset; }

// 2 x wScale pixels, likewise the exact Int32 product without its overflow.
double Twice(std::int32_t scale) { return 2.0 * Int32ToDouble(scale); }
}  // namespace

void MainWindow::Draw() {
  wGroup = std::make_shared<framework::Group2D>();
  wGroupGraph = std::make_shared<framework::Group2D>();
  DrawAxis();
  if (cDrawCircle().Value()) DrawCircle();
  DrawOval();
  DrawGraphAxis();
  // Both groups are whole before either canvas is asked to paint.
  cOrbit().Refresh(true);
  cPath().Refresh(true);
}

void MainWindow::DrawAxis() {
  const double axis_y = Int32ToDouble(ChangeAxisY(0.0));
  const double axis_x = Int32ToDouble(ChangeAxisX(0.0));
  wGroup->Append(Line(0.0, axis_y, Int32ToDouble(cOrbit().Width()), axis_y)
                     .Fill(0.0).Border(100.0).BorderColor(kLightGrey).Shape());
  wGroup->Append(Line(axis_x, 0.0, axis_x, Int32ToDouble(cOrbit().Height()))
                     .Fill(0.0).Border(100.0).BorderColor(kLightGrey).Shape());
}

void MainWindow::DrawCircle() {
  const double diameter = Twice(wScale);
  wGroup->Append(Oval(Int32ToDouble(wCenterX), Int32ToDouble(wCenterY), diameter, diameter)
                     .Fill(0.0).Border(100.0).BorderColor(kMidGrey).Shape());
  const double l = wHeikin * wNow;
  const double body_x = Int32ToDouble(ChangeAxisX(std::cos(l)));
  const double body_y = Int32ToDouble(ChangeAxisY(std::sin(l)));
  wGroup->Append(Oval(body_x, body_y, kBodySize, kBodySize)
                     .Fill(100.0).Border(100.0).BorderColor(kMidGrey).FillColor(kMidGrey).Shape());
  wGroup->Append(Line(Int32ToDouble(ChangeAxisX(0.0)), Int32ToDouble(ChangeAxisY(0.0)), body_x, body_y)
                     .Border(100.0).BorderColor(kMidGrey).Shape());
}

void MainWindow::DrawOval() {
  const double e = wEccentricity;

  // Kepler's equation for this frame's mean anomaly, started from the mean anomaly itself.
  std::int32_t count = 0;
  const double l = wHeikin * wNow;
  const double u = KeplarModule::KeplarLoopCount(e, l, l, wSeido, count);

  // The orbit body relative to the focus, for a = 1.
  const double x = std::cos(u) - e;
  const double y = std::sqrt(1.0 - std::pow(e, 2.0)) * std::sin(u);

  // The arc travelled since perihelion. On the circle it is the mean anomaly itself (the series
  // has no answer there); the last frame of a revolution takes the whole perimeter, which the
  // latitude conversion would miss by its rounding near 2 pi.
  double L = l;
  if (e != 0.0) {
    const double phi = framework::Val(tDivision().Text()) == wNow
                           ? kTwoPi
                           : MeridionalDistance::ReducedToGeographicLatitude(u, e);
    L = MeridionalDistance::MeridionalDistance(phi, 1.0, e, 3);
  }

  DrawGraphStep(L, count);

  const double diameter = Twice(wScale);
  wGroup->Append(Oval(Int32ToDouble(ChangeAxisX(0.0 - wShift)), Int32ToDouble(ChangeAxisY(0.0)), diameter,
                      diameter * wSemiMminorAxis)
                     .Fill(0.0).Border(100.0).Shape());
  const std::int32_t focus_x = ChangeAxisX(e - wShift);
  const std::int32_t focus_y = ChangeAxisY(0.0);
  wGroup->Append(Line(Offset(focus_x, kFocusMark), Int32ToDouble(focus_y), Offset(focus_x, -kFocusMark),
                      Int32ToDouble(focus_y))
                     .Fill(0.0).Border(100.0).Shape());
  // The vertical stroke is drawn at half opacity.
  wGroup->Append(Line(Int32ToDouble(focus_x), Offset(focus_y, kFocusMark), Int32ToDouble(focus_x),
                      Offset(focus_y, -kFocusMark))
                     .Fill(0.0).Border(50.0).Shape());
  // (x + e) - wShift, in that order: not cos(u) - wShift.
  const double body_x = Int32ToDouble(ChangeAxisX((x + e) - wShift));
  const double body_y = Int32ToDouble(ChangeAxisY(y));
  wGroup->Append(Oval(body_x, body_y, kBodySize, kBodySize).Fill(100.0).Border(100.0).Shape());
  wGroup->Append(Line(Int32ToDouble(focus_x), Int32ToDouble(focus_y), body_x, body_y).Fill(0.0).Border(100.0).Shape());
}

void MainWindow::cOrbit_Paint(framework::Canvas&, framework::Graphics& g, const std::vector<framework::Rect>&) {
  // Before the first frame there is nothing to draw.
  if (wGroup) g.DrawObject(*wGroup, 0.0, 0.0);
}

void MainWindow::cPath_Paint(framework::Canvas&, framework::Graphics&, const std::vector<framework::Rect>&) {
  if (wGroupGraph) cPath().Graphics().DrawObject(*wGroupGraph, 0.0, 0.0);
}
