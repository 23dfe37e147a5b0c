// The graph on cPath and the live read-outs.
//
// x is the frame index (wScaleTime pixels per frame), y is measured up from the bottom edge. The
// diagonal stands for the circle body's uniform motion, the half-way line for half the perimeter;
// wPath plots the arc travelled (the whole perimeter fills the height) and wPath2 the Newton rounds
// of each frame at one pixel per round. Both polylines live across frames: a frame puts one
// segment into each, at its own index.
//
// The largest speed ratio and iteration count are kept only as the texts of their labels and read
// back with Val, so a maximum is as exact as its shown digits.

#include <cstdint>
#include <memory>

#include "framework/number_conversion.hpp"
#include "framework/text_conversion.hpp"
#include "orbit_window/main_window.hpp"
#include "orbit_window/main_window_shapes.hpp"

using framework::DoubleToInt32;
using framework::Format;
using framework::Int32ToDouble;
using framework::Str;
using framework::Val;
using MainWindowShapes::kLightGrey;
using MainWindowShapes::kMidGrey;
using MainWindowShapes::Line;

namespace {

// Puts frame k's segment into a polyline: in place of the segment at index k once the polyline
// holds one there (a later revolution, or a redraw of the same frame), else after the last one.
// Replacing in place gives what removing and inserting at k gives, at a cost that does not grow
// with the polyline.
void PutSegment(framework::Group2D& polyline, double k, std::shared_ptr<framework::CurveShape> segment) {
  const double c = Int32ToDouble(polyline.Count());
  if (!(c < k + 1.0)) {
    polyline.Replace(DoubleToInt32(k), std::move(segment));
  } else {
    polyline.Append(std::move(segment));
  }
}

// H - n pixels for an iteration count n; in 64 bits, since a saturated count would overflow Int32.
double RowsAbove(std::int32_t height, std::int32_t n) {
  return static_cast<double>(std::int64_t{height} - std::int64_t{n});
}

}  // namespace

void MainWindow::DrawGraphStep(double L, std::int32_t count) {
  const double k = wNow;
  const std::int32_t height = cPath().Height();
  const double H = Int32ToDouble(height);
  const double W = Int32ToDouble(cPath().Width());

  wGroupGraph->Append(Line(0.0, H, W, 0.0).Fill(0.0).Border(100.0).BorderColor(kMidGrey).Shape());
  wGroupGraph->Append(Line(0.0, H / 2.0, W, H / 2.0).Fill(0.0).Border(100.0).BorderColor(kLightGrey).Shape());

  auto arc = Line((k - 1.0) * wScaleTime, H - wPreviousLength * wScaleValue, k * wScaleTime, H - L * wScaleValue)
                 .Border(100.0)
                 .Shape();

  // The speed of the orbit body over that of the circle body. The maximum is rewritten also when
  // equal, and when v is no number (the comparison is then unordered).
  const double v = (L - wPreviousLength) / wHeikin;
  lSpeed().SetText(Format(v, "-0.00"));
  if (!(v < Val(lSpeedMax().Text()))) lSpeedMax().SetText(Format(v, "-0.00"));

  PutSegment(*wPath, k, std::move(arc));
  wGroupGraph->Append(wPath);
  wPreviousLength = L;

  auto rounds = Line((k - 1.0) * wScaleTime, RowsAbove(height, wPreviousSaikiCount), k * wScaleTime,
                     RowsAbove(height, count))
                    .Border(100.0)
                    .BorderColor(kLightGrey)
                    .Shape();

  lSaikiCount().SetText(Str(count));
  // An equal count leaves the maximum alone.
  if (Val(lSaikiCountMax().Text()) < Int32ToDouble(count)) lSaikiCountMax().SetText(Str(count));
  wPreviousSaikiCount = count;

  PutSegment(*wPath2, k, std::move(rounds));
  wGroupGraph->Append(wPath2);
}

void MainWindow::DrawGraphAxis() {
  const double x = wNow * wScaleTime;
  wGroupGraph->Append(Line(x, 0.0, x, Int32ToDouble(cPath().Height())).Fill(0.0).Border(100.0).Shape());
}
