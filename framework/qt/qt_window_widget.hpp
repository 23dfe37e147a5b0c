#pragma once

// The top-level Qt window of one model window. Its close button does not close it: it asks the
// model, which decides and, if the window closes, tells the platform to remove it.

#include <functional>

#include <QMainWindow>

class QCloseEvent;

namespace framework {

class QtWindowWidget : public QMainWindow {
 public:
  explicit QtWindowWidget(std::function<void()> close_requested);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> m_close_requested;
};

}  // namespace framework
