// A PushButton in Qt: a QPushButton whose click presses the button in the model. Return and Escape
// are the window's (qt_platform_windows.cpp), so Qt's own default-button handling stays off.

#include <memory>

#include <QPushButton>

#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_conversions.hpp"

namespace framework::qt {

namespace {

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink& sink) {
  auto* button = new QPushButton(&parent);
  button->setAutoDefault(false);
  const std::weak_ptr<Control> weak = control;
  QObject::connect(button, &QPushButton::clicked, button, [sink = &sink, weak]() {
    sink->Deliver(weak, [](Control& target) { static_cast<PushButton&>(target).Press(); });
  });
  return button;
}

void Sync(QWidget& widget, const Control& control) {
  auto& push = static_cast<QPushButton&>(widget);
  const auto& button = static_cast<const PushButton&>(control);
  SyncFont(push, button);
  const QString caption = Caption(button.Caption());
  if (push.text() != caption) push.setText(caption);
  push.setDefault(button.Default());
}

}  // namespace

const ControlAdapter kPushButtonAdapter{&Create, &Sync, &FocusByTabStop};

}  // namespace framework::qt
