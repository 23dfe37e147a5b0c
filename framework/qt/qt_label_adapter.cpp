// A Label in Qt: a QLabel of plain text, CR shown as a line break, wrapped when Multiline.

#include <cstdint>
#include <memory>

#include <QLabel>

#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_conversions.hpp"

namespace framework::qt {

namespace {

// 0 left, 1 centre, 2 right.
Qt::Alignment LabelAlignment(std::int32_t text_align) {
  switch (text_align) {
    case 1: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>&, UserActionSink&) {
  auto* label = new QLabel(&parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// The program sets labels' texts on every frame.
void Sync(QWidget& widget, const Control& control) {
  auto& qlabel = static_cast<QLabel&>(widget);
  const auto& label = static_cast<const Label&>(control);
  SyncFont(qlabel, label);
  const QString text = DisplayText(label.Text());
  if (qlabel.text() != text) qlabel.setText(text);
  qlabel.setAlignment(LabelAlignment(label.TextAlign()));
  // Setting it, even unchanged, lays the label out again.
  if (qlabel.wordWrap() != label.Multiline()) qlabel.setWordWrap(label.Multiline());
  SetPaletteColour(qlabel, QPalette::WindowText, ColourAt(label.TextColor()));
}

}  // namespace

const ControlAdapter kLabelAdapter{&Create, &Sync, &NoFocus};

}  // namespace framework::qt
