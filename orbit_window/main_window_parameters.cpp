// Reading the parameter fields, fitting the figure and the graph to the canvases, and mapping
// orbit coordinates to pixels of cOrbit.
//
// Every formula is evaluated one IEEE double operation at a time, in the order written: the pixel
// positions and read-outs are compared to the last digit, so no step may be regrouped.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

#include "framework/number_conversion.hpp"
#include "framework/text_conversion.hpp"
#include "orbit_math/meridional_distance.hpp"
#include "orbit_window/main_window.hpp"

using framework::DoubleToInt32;
using framework::Int32ToDouble;
using framework::Val;

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = 1.5707963267948966;
// Pixels of margin on each side of the figure.
constexpr std::int32_t kMargins = 20;
}  // namespace

void MainWindow::SetParmeter() {
  const double e = Val(tEccentricity().Text());
  wEccentricity = e;
  wSemiMminorAxis = std::sqrt(1.0 - e * e);
  lFValue().SetText(framework::Str(1.0 - wSemiMminorAxis));
  lBAValue().SetText(framework::Str(wSemiMminorAxis));
  Timer1().SetPeriod(DoubleToInt32(1000.0 / Val(tFrameRate().Text())));
  wHeikin = ((1.0 / Val(tDivision().Text())) * 2.0) * kPi;
  wSeido = DoubleToInt32(Val(tSeido().Text()));
  wShift = cSameCenter().Value() ? wEccentricity : 0.0;
}

std::int32_t MainWindow::ChangeAxisX(double x) {
  return DoubleToInt32(Int32ToDouble(wCenterX) + x * Int32ToDouble(wScale));
}

std::int32_t MainWindow::ChangeAxisY(double y) {
  // Orbit y grows upward, pixel rows downward.
  return DoubleToInt32(Int32ToDouble(wCenterY) + (-y) * Int32ToDouble(wScale));
}

void MainWindow::Resizing() {
  const double e = wEccentricity;
  const std::int32_t W = cOrbit().Width();
  const std::int32_t H = cOrbit().Height();
  // The layout comes from the check box itself, not from wShift: the two agree once SetParmeter
  // has run since the box last changed.
  if (cSameCenter().Value()) {
    // The ellipse's focus on the circle's centre: the figure is 2 + e wide and 2 high.
    const double k = 2.0 / (e + 2.0);
    const double r = Int32ToDouble(H - kMargins) / Int32ToDouble(W - kMargins);
    if (k < r) {
      wScale = DoubleToInt32(Int32ToDouble(W - kMargins) / (e + 2.0));
    } else {
      wScale = DoubleToInt32(Int32ToDouble(H - kMargins) / 2.0);
    }
    // The figure's middle, at -e/2, goes to the canvas's middle.
    wCenterX = DoubleToInt32(Int32ToDouble(W) / 2.0 + (e / 2.0) * Int32ToDouble(wScale));
  } else {
    wScale = DoubleToInt32((std::min(Int32ToDouble(W), Int32ToDouble(H)) - 20.0) / 2.0);
    wCenterX = DoubleToInt32(Int32ToDouble(W) / 2.0);
  }
  wCenterY = DoubleToInt32(Int32ToDouble(H) / 2.0);
  wScaleTime = Int32ToDouble(cPath().Width()) / Val(tDivision().Text());
  // The whole perimeter fills the graph's height. The arc-length series has no answer on the
  // circle, whose perimeter is 2 pi.
  const double PH = Int32ToDouble(cPath().Height());
  if (e == 0.0) {
    wScaleValue = (PH / 2.0) / kPi;
  } else {
    wScaleValue = PH / (4.0 * MeridionalDistance::MeridionalDistance(kHalfPi, 1.0, e, 3));
  }
  wPath = std::make_shared<framework::Group2D>();
  wPath2 = std::make_shared<framework::Group2D>();
}
