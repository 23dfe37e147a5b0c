#pragma once

// The top-level Qt window of one model window. Its close button does not close it: it asks the
// model, which decides and, if the window closes, tells the platform to remove it.
//
// It paints at most once per refresh of its screen. Qt repaints a window (canvases, labels and
// all, then flushes it to the display) when the window handles an update request; a request that
// comes too soon after the last paint is held and handled when the interval has passed. A held
// request is ignored (QEvent::isAccepted is false) for whoever watches the window's events; the
// one that paints it later is a new request.

#include <functional>

#include <QMainWindow>
#include <QTimer>

#include "framework/qt/qt_paint_pacer.hpp"

class QCloseEvent;
class QEvent;

namespace framework {

class QtWindowWidget : public QMainWindow {
 public:
  explicit QtWindowWidget(std::function<void()> close_requested);

  bool event(QEvent* event) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void PaintHeldRequest();

  std::function<void()> m_close_requested;
  qt::PaintPacer m_pacer;
  QTimer m_held_paint;
  bool m_painting_held = false;
};

}  // namespace framework
