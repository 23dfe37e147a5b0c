// A Rectangle in Qt: a widget that paints the fill and, BorderWidth pixels wide, the frame in its
// two colours, top and left over bottom and right.

#include <algorithm>
#include <memory>

#include <QPainter>

#include "framework/qt/qt_call_model.hpp"
#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_painted_widget.hpp"

namespace framework::qt {

namespace {

void PaintRectangle(QPainter& painter, const Rectangle& rectangle, const QSize& size) {
  const int width = size.width();
  const int height = size.height();
  painter.fillRect(QRect(0, 0, width, height), ColourAt(rectangle.FillColor()));
  const int border = std::clamp(rectangle.BorderWidth(), 0, std::max(width, height));
  if (border == 0) return;
  const QColor bottom_right = ColourAt(rectangle.BottomRightColor());
  const QColor top_left = ColourAt(rectangle.TopLeftColor());
  painter.fillRect(QRect(0, height - border, width, border), bottom_right);
  painter.fillRect(QRect(width - border, 0, border, height), bottom_right);
  painter.fillRect(QRect(0, 0, width, border), top_left);
  painter.fillRect(QRect(0, 0, border, height), top_left);
}

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink&) {
  const std::weak_ptr<Rectangle> weak = std::static_pointer_cast<Rectangle>(control);
  return new QtPaintedWidget(&parent, [weak](QPainter& painter, const QRect&, const QSize& size) {
    if (auto target = weak.lock()) CallModel([&] { PaintRectangle(painter, *target, size); });
  });
}

// The colours are read as it paints.
void Sync(QWidget& widget, const Control&) { widget.update(); }

}  // namespace

const ControlAdapter kRectangleAdapter{&Create, &Sync, &NoFocus};

}  // namespace framework::qt
