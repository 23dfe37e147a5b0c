// A CheckBox in Qt: a QCheckBox whose click toggles the model's box; State 2 shows as partly
// checked.

#include <memory>

#include <QCheckBox>

#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_conversions.hpp"

namespace framework::qt {

namespace {

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink& sink) {
  auto* box = new QCheckBox(&parent);
  const std::weak_ptr<Control> weak = control;
  QObject::connect(box, &QCheckBox::clicked, box, [sink = &sink, weak]() {
    sink->Deliver(weak, [](Control& target) { static_cast<CheckBox&>(target).Toggle(); });
  });
  return box;
}

void Sync(QWidget& widget, const Control& control) {
  auto& qbox = static_cast<QCheckBox&>(widget);
  const auto& box = static_cast<const CheckBox&>(control);
  SyncFont(qbox, box);
  const QString caption = Caption(box.Caption());
  if (qbox.text() != caption) qbox.setText(caption);
  const bool mixed = box.State() == 2;
  qbox.setTristate(mixed);
  qbox.setCheckState(mixed ? Qt::PartiallyChecked : (box.Value() ? Qt::Checked : Qt::Unchecked));
}

}  // namespace

const ControlAdapter kCheckBoxAdapter{&Create, &Sync, &FocusByTabStop};

}  // namespace framework::qt
