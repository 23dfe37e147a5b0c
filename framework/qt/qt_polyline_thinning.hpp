#pragma once

// Thinning a long polyline for painting with QPainter's antialiased one-pixel pen, where far more
// points fall in a pixel column than the column can show.

#include <span>
#include <vector>

#include "framework/graphics.hpp"

namespace framework::qt {

// Replaces `thinned` with the points of `points` (all finite) that painting each segment between
// consecutive ones needs to give the same picture as painting every segment of `points`: within
// antialiasing, and exactly where nothing is dropped. Keeps the first and the last point.
void ThinPolyline(std::span<const Point2D> points, std::vector<Point2D>& thinned);

}  // namespace framework::qt
