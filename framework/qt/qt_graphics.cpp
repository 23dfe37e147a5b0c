#include "framework/qt/qt_graphics.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include <QBrush>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_polyline_thinning.hpp"

namespace framework {

namespace {

// QPainter's rasteriser has no defined result for coordinates that are not finite numbers, so
// such a primitive is left out rather than handed on.
bool AllFinite(std::initializer_list<double> values) {
  for (const double value : values) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

// The outline pen, or none when the outline would not show.
QPen OutlinePen(const ShapeStyle& style) {
  if (qt::Alpha(style.border) == 0 || !(style.border_width > 0.0) || !std::isfinite(style.border_width)) {
    return QPen(Qt::NoPen);
  }
  QPen pen(qt::ColourAt(style.border_color, style.border));
  pen.setWidthF(style.border_width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

bool Finite(const Point2D& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

// The pixel column that model x falls in: column k shows x from k - 0.5 to k + 0.5, since the
// painter is shifted by half a pixel.
double PixelColumn(double x) { return std::floor(x + 0.5); }

}  // namespace

QtGraphics::QtGraphics(QPainter& painter) : m_painter(painter) {
  m_painter.save();
  m_painter.setRenderHint(QPainter::Antialiasing, true);
  // The model's coordinates count whole pixels: (x, y) is the pixel whose centre QPainter calls
  // (x + 0.5, y + 0.5). So a one-pixel line along a row fills that row instead of smearing half
  // over the row on either side.
  m_painter.translate(0.5, 0.5);
}

QtGraphics::~QtGraphics() { m_painter.restore(); }

void QtGraphics::DrawLine(double x1, double y1, double x2, double y2, const ShapeStyle& style) {
  const QPen pen = OutlinePen(style);
  if (pen.style() == Qt::NoPen || !AllFinite({x1, y1, x2, y2})) return;
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawLine(QLineF(x1, y1, x2, y2));
}

void QtGraphics::DrawOval(double centre_x, double centre_y, double width, double height,
                          const ShapeStyle& style) {
  if (!AllFinite({centre_x, centre_y, width, height})) return;
  const QPen pen = OutlinePen(style);
  const int fill_alpha = qt::Alpha(style.fill);
  if (pen.style() == Qt::NoPen && fill_alpha == 0) return;
  m_painter.setPen(pen);
  m_painter.setBrush(fill_alpha == 0 ? QBrush(Qt::NoBrush) : QBrush(qt::ColourAt(style.fill_color, style.fill)));
  m_painter.drawEllipse(QRectF(centre_x - width / 2.0, centre_y - height / 2.0, width, height).normalized());
}

void QtGraphics::DrawPolyline(std::span<const Point2D> points, const ShapeStyle& style) {
  const QPen pen = OutlinePen(style);
  if (pen.style() == Qt::NoPen) return;
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  // Thinning is worked out for the one-pixel pen in opaque ink, which a pixel cannot take more
  // of once it is solid; other pens paint every segment.
  const bool thin_pen = pen.color().alpha() == 255 && pen.widthF() <= 1.0;
  // A segment with an end that is not a finite number is left out, as DrawLine leaves it out: the
  // run breaks there into stretches of finite points.
  std::size_t begin = 0;
  while (begin < points.size()) {
    if (!Finite(points[begin])) {
      ++begin;
      continue;
    }
    std::size_t end = begin + 1;
    double left = points[begin].x;
    double right = points[begin].x;
    for (; end < points.size() && Finite(points[end]); ++end) {
      left = std::min(left, points[end].x);
      right = std::max(right, points[end].x);
    }
    const std::span<const Point2D> stretch = points.subspan(begin, end - begin);
    const double columns = PixelColumn(right) - PixelColumn(left) + 1.0;
    if (thin_pen && static_cast<double>(stretch.size()) > columns) {
      // A surface lives for one paint; the thread's buffer spares each paint a large allocation.
      thread_local std::vector<Point2D> thinned;
      qt::ThinPolyline(stretch, thinned);
      PaintSegments(thinned);
    } else {
      PaintSegments(stretch);
    }
    begin = end;
  }
}

void QtGraphics::PaintSegments(std::span<const Point2D> points) {
  // drawLines caps every segment as drawLine does; drawPolyline would join them without caps and
  // paint visibly lighter where segments meet. The lines go in chunks of a small buffer.
  constexpr std::size_t kChunk = 1024;
  std::array<QLineF, kChunk> lines;
  std::size_t filled = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    lines[filled++] = QLineF(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    if (filled == kChunk || i + 1 == points.size()) {
      m_painter.drawLines(lines.data(), static_cast<int>(filled));
      filled = 0;
    }
  }
}

}  // namespace framework
