#include "framework/qt/qt_window_widget.hpp"

#include <QCloseEvent>

namespace framework {

QtWindowWidget::QtWindowWidget(std::function<void()> close_requested)
    : m_close_requested(std::move(close_requested)) {}

void QtWindowWidget::closeEvent(QCloseEvent* event) {
  // The platform owns this widget on the model's behalf; Qt must not hide or delete it by itself.
  event->ignore();
  if (m_close_requested) m_close_requested();
}

}  // namespace framework
