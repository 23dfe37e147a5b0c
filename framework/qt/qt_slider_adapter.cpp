// A Slider in Qt: a horizontal QSlider whose moves by the user move the model's slider.

#include <algorithm>
#include <memory>

#include <QSlider>

#include "framework/qt/qt_control_adapter.hpp"

namespace framework::qt {

namespace {

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink& sink) {
  auto* slider = new QSlider(Qt::Horizontal, &parent);
  const std::weak_ptr<Control> weak = control;
  // The platform's own changes are made with the signals blocked, so a change that gets
  // through came from the user.
  QObject::connect(slider, &QSlider::valueChanged, slider, [sink = &sink, weak](int value) {
    sink->Deliver(weak, [&](Control& target) { static_cast<Slider&>(target).MoveTo(value); });
  });
  return slider;
}

void Sync(QWidget& widget, const Control& control) {
  auto& qslider = static_cast<QSlider&>(widget);
  const auto& slider = static_cast<const Slider&>(control);
  qslider.setRange(slider.Minimum(), std::max(slider.Minimum(), slider.Maximum()));
  qslider.setValue(slider.Value());
  qslider.setSingleStep(slider.LineStep());
  qslider.setPageStep(slider.PageStep());
  qslider.setTracking(slider.LiveScroll());
}

}  // namespace

const ControlAdapter kSliderAdapter{&Create, &Sync, &FocusByTabStop};

}  // namespace framework::qt
