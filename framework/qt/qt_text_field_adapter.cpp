// A TextField in Qt: a QLineEdit whose edits by the user are typed into the model's field.

#include <cstdint>
#include <limits>
#include <memory>

#include <QFont>
#include <QLineEdit>

#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_conversions.hpp"

namespace framework::qt {

namespace {

// 0 default, 1 left, 2 centre, 3 right.
Qt::Alignment FieldAlignment(std::int32_t alignment) {
  switch (alignment) {
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink& sink) {
  auto* field = new QLineEdit(&parent);
  // The line edit lays its whole line out again on every change and every paint, which for a
  // paste of megabytes holds the window. Fields hold numbers and short texts, which need no
  // shaping; skipping it takes about a third off each of those layouts.
  QFont font = field->font();
  font.setStyleStrategy(QFont::PreferNoShaping);
  field->setFont(font);
  const std::weak_ptr<Control> weak = control;
  QObject::connect(field, &QLineEdit::textEdited, field, [sink = &sink, weak](const QString& text) {
    sink->Deliver(weak, [&](Control& target) { static_cast<TextField&>(target).Type(ModelText(text)); });
  });
  return field;
}

void Sync(QWidget& widget, const Control& control) {
  auto& edit = static_cast<QLineEdit&>(widget);
  const auto& field = static_cast<const TextField&>(control);
  SyncFont(edit, field);
  // LimitText 0 means no limit; the line edit's own default would cut text at 32 767 characters.
  // The limit comes first, since a text is cut to the limit as it is set.
  const std::int32_t limit = field.LimitText();
  const int max_length = limit > 0 ? limit : std::numeric_limits<int>::max();
  if (edit.maxLength() != max_length) edit.setMaxLength(max_length);
  // Setting the same text again would move the cursor to the end under the user's hands.
  const QString text = FromUtf8(field.Text());
  if (edit.text() != text) edit.setText(text);
  // Alignment and frame, set even unchanged, repaint the field.
  const Qt::Alignment alignment = FieldAlignment(field.Alignment());
  if (edit.alignment() != alignment) edit.setAlignment(alignment);
  edit.setReadOnly(field.ReadOnly());
  if (edit.hasFrame() != field.Border()) edit.setFrame(field.Border());
  SetPaletteColour(edit, QPalette::Text, ColourAt(field.TextColor()));
  SetPaletteColour(edit, QPalette::Base, ColourAt(field.BackColor()));
}

}  // namespace

const ControlAdapter kTextFieldAdapter{&Create, &Sync, &FocusByTabStop};

}  // namespace framework::qt
