// A TextField in Qt: a QLineEdit whose edits by the user are typed into the model's field.

#include <algorithm>
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

// The line edit, with the length of the text it last took from the model. Only a text that code
// set is taken: the user's edits are in the line edit before they reach the model. The limit is
// worked out from this length rather than from the text the field holds, so that the user's
// edits leave it alone; setting a limit would clear the line edit's Undo.
class FieldEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  qsizetype set_length = 0;
};

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink& sink) {
  auto* field = new FieldEdit(&parent);
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

// The most characters the user may leave in the field: LimitText, or as many as code last set
// where that was more, so that what code sets is shown whole. Never fewer than the field holds,
// which the line edit would cut without telling the model: code may lower LimitText under a text
// the user typed. 0 means no limit; the line edit's own default would cut text at 32 767
// characters.
int MaxLength(std::int32_t limit, qsizetype set_length, qsizetype length) {
  if (limit <= 0) return std::numeric_limits<int>::max();
  const qsizetype most = std::max({qsizetype{limit}, set_length, length});
  return static_cast<int>(std::min<qsizetype>(most, std::numeric_limits<int>::max()));
}

// A new limit makes the line edit set its text anew, which moves the cursor to the end: the
// cursor and the selection are put back where the user had them.
void SetMaxLengthKeepingCursor(QLineEdit& edit, int max_length) {
  const int cursor = edit.cursorPosition();
  const int start = edit.selectionStart();
  const int length = static_cast<int>(edit.selectedText().size());
  edit.setMaxLength(max_length);
  if (start < 0) {
    edit.setCursorPosition(cursor);
  } else if (cursor == start) {
    edit.setSelection(start + length, -length);
  } else {
    edit.setSelection(start, length);
  }
}

void Sync(QWidget& widget, const Control& control) {
  auto& edit = static_cast<FieldEdit&>(widget);
  const auto& field = static_cast<const TextField&>(control);
  SyncFont(edit, field);
  const QString text = FromUtf8(field.Text());
  // Setting the same text again would move the cursor to the end under the user's hands.
  const bool takes_text = edit.text() != text;
  if (takes_text) edit.set_length = text.size();
  const int max_length = MaxLength(field.LimitText(), edit.set_length, text.size());
  if (takes_text) {
    // The limit first: the line edit cuts a text to its limit as it takes it.
    if (edit.maxLength() != max_length) edit.setMaxLength(max_length);
    edit.setText(text);
  } else if (edit.maxLength() != max_length) {
    SetMaxLengthKeepingCursor(edit, max_length);
  }
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
