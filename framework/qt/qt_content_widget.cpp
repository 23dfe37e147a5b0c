#include "framework/qt/qt_content_widget.hpp"

#include <QResizeEvent>

namespace framework {

QtContentWidget::QtContentWidget(std::function<void(QSize)> resized) : m_resized(std::move(resized)) {}

void QtContentWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_resized) m_resized(event->size());
}

}  // namespace framework
