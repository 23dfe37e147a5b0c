#include "framework/qt/qt_painted_widget.hpp"

#include <QPaintEvent>
#include <QPainter>

namespace framework {

QtPaintedWidget::QtPaintedWidget(QWidget* parent, Painter painter)
    : QWidget(parent), m_painter(std::move(painter)) {}

void QtPaintedWidget::paintEvent(QPaintEvent* event) {
  if (!m_painter) return;
  QPainter painter(this);
  m_painter(painter, event->rect(), size());
}

}  // namespace framework
