#pragma once

// The content area of a window: the controls' widgets sit on it at their model rectangles.
// A change of its size is reported, so that the model can place the controls.

#include <functional>

#include <QSize>
#include <QWidget>

class QResizeEvent;

namespace framework {

class QtContentWidget : public QWidget {
 public:
  explicit QtContentWidget(std::function<void(QSize)> resized);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::function<void(QSize)> m_resized;
};

}  // namespace framework
