#include "framework/qt/qt_graphics.hpp"

#include <cmath>

#include <QBrush>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include "framework/qt/qt_conversions.hpp"

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

}  // namespace framework
