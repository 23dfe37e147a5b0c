#pragma once

// A control that Qt has no widget for (a canvas, a framed rectangle): it paints whatever its
// painter function draws, and nothing else. It fills no background of its own, so a canvas
// shows the rectangle beneath it wherever it draws nothing.

#include <functional>

#include <QRect>
#include <QWidget>

class QPaintEvent;
class QPainter;

namespace framework {

class QtPaintedWidget : public QWidget {
 public:
  // `area` is the part to repaint, `size` the widget's whole size.
  using Painter = std::function<void(QPainter& painter, const QRect& area, const QSize& size)>;

  QtPaintedWidget(QWidget* parent, Painter painter);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Painter m_painter;
};

}  // namespace framework
