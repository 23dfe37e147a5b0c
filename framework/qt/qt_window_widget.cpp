#include "framework/qt/qt_window_widget.hpp"

#include <chrono>
#include <cstdint>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QScreen>

#include "framework/scoped_assignment.hpp"

namespace framework {

namespace {

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

QtWindowWidget::QtWindowWidget(std::function<void()> close_requested)
    : m_close_requested(std::move(close_requested)) {
  m_held_paint.setSingleShot(true);
  m_held_paint.setTimerType(Qt::PreciseTimer);
  connect(&m_held_paint, &QTimer::timeout, this, [this]() { PaintHeldRequest(); });
}

bool QtWindowWidget::event(QEvent* event) {
  if (event->type() == QEvent::UpdateRequest && !m_painting_held) {
    const QScreen* shown_on = screen();
    const std::int64_t now = NowNs();
    if (!m_pacer.Request(now, qt::PaintPacer::IntervalNs(shown_on != nullptr ? shown_on->refreshRate() : 0.0))) {
      // Qt posts no further request while this one is outstanding: what is changed meanwhile
      // joins the region it will paint.
      if (!m_held_paint.isActive()) {
        const std::int64_t wait_ms = (m_pacer.DueNs() - now + 999'999) / 1'000'000;
        m_held_paint.start(static_cast<int>(wait_ms));
      }
      event->ignore();
      return true;
    }
  }
  return QMainWindow::event(event);
}

void QtWindowWidget::PaintHeldRequest() {
  if (!m_pacer.Release(NowNs())) return;
  const ScopedAssignment painting(m_painting_held, true);
  QEvent request(QEvent::UpdateRequest);
  QCoreApplication::sendEvent(this, &request);
}

void QtWindowWidget::closeEvent(QCloseEvent* event) {
  // The platform owns this widget on the model's behalf; Qt must not hide or delete it by itself.
  event->ignore();
  if (m_close_requested) m_close_requested();
}

}  // namespace framework
