#include "framework/qt/qt_polyline_thinning.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace framework::qt {

namespace {

// Why thinning is subtle: a segment painted alone gets a cap at both ends, so a segment shorter
// than a pixel still paints a whole pixel's worth of antialiased ink, and a graph of 10^5 frames
// across 241 pixels paints each of its pixels hundreds of times. Repeated blending darkens the
// partly covered pixels beside the curve until they are nearly solid: that weight is part of the
// picture, and only the many short strokes make it. So points are dropped only where the strokes
// they end add nothing that the strokes kept do not already paint:
//  - in a slice of a pixel column whose strokes are a pixel long or longer on average (iteration
//    counts jumping by whole pixels), the first, highest, lowest and last point, in their order,
//    reach every pixel the others reach, and each of those pixels is painted near solid many times;
//  - inside a straight stretch along one pixel row (y a whole number), which paints that row solid,
//    the points more than a pixel from both ends of the stretch (the ends' partly covered pixels
//    owe their shade to every stroke that reaches them).
// Sub-pixel steps that wander off a row (a smooth arc-length curve) keep every point.
constexpr double kSlicesPerPixel = 8.0;

// Slice s of the pixel columns holds the x with s <= SlicePosition(x) < s + 1.
double SlicePosition(double x) { return (x + 0.5) * kSlicesPerPixel; }

// The last index of the stretch along one pixel row that starts at `first`, x moving one way.
std::size_t RowStretchEnd(std::span<const Point2D> points, std::size_t first) {
  const double row = points[first].y;
  // Most points of a curve have a neighbour on another row; that test is the cheap one.
  if (first + 1 >= points.size() || points[first + 1].y != row || row != std::floor(row)) return first;
  std::size_t last = first;
  int direction = 0;
  while (last + 1 < points.size() && points[last + 1].y == row) {
    const double dx = points[last + 1].x - points[last].x;
    const int step = dx > 0.0 ? 1 : (dx < 0.0 ? -1 : 0);
    if (step != 0 && direction != 0 && step != direction) break;
    if (step != 0) direction = step;
    ++last;
  }
  return last;
}

}  // namespace

void ThinPolyline(std::span<const Point2D> points, std::vector<Point2D>& thinned) {
  thinned.clear();
  const std::size_t count = points.size();
  // The row stretch known so far, and the first point past it, from which the next is found.
  std::size_t stretch_first = 0;
  std::size_t stretch_last = 0;
  std::size_t stretch_next = 0;
  std::size_t begin = 0;
  while (begin < count) {
    const double slice = std::floor(SlicePosition(points[begin].x));
    const double next_slice = slice + 1.0;
    double steps = 0.0;
    std::size_t end = begin + 1;
    std::size_t lowest = begin;
    std::size_t highest = begin;
    for (; end < count; ++end) {
      const double position = SlicePosition(points[end].x);
      if (!(position >= slice && position < next_slice)) break;
      steps += std::max(std::abs(points[end].x - points[end - 1].x), std::abs(points[end].y - points[end - 1].y));
      // Model y grows downwards: the lowest point on the screen has the largest y.
      if (points[end].y < points[highest].y) highest = end;
      if (points[end].y > points[lowest].y) lowest = end;
    }
    const std::size_t in_slice = end - begin;
    if (in_slice > 4 && steps >= static_cast<double>(in_slice - 1)) {
      std::array<std::size_t, 4> kept{begin, highest, lowest, end - 1};
      std::sort(kept.begin(), kept.end());
      for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i == 0 || kept[i] != kept[i - 1]) thinned.push_back(points[kept[i]]);
      }
    } else {
      for (std::size_t i = begin; i < end; ++i) {
        if (i >= stretch_next) {
          stretch_first = i;
          stretch_last = RowStretchEnd(points, i);
          stretch_next = stretch_last + 1;
        }
        const bool inside = std::abs(points[i].x - points[stretch_first].x) > 1.0 &&
                            std::abs(points[i].x - points[stretch_last].x) > 1.0;
        if (!inside) thinned.push_back(points[i]);
      }
    }
    begin = end;
  }
}

}  // namespace framework::qt
