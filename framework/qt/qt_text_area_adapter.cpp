// A TextArea in Qt. A read-only area without wrapping (the result window's table, up to a million
// lines) is shown by our own QtTextView, which takes such a text in a fraction of the time Qt's
// editor needs; every other area by Qt's QPlainTextEdit, whose edits by the user are typed into
// the model's area. An area that changes between the two gets the other widget.

#include <memory>
#include <string>

#include <QAbstractScrollArea>
#include <QFontMetricsF>
#include <QPlainTextEdit>

#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_text_view.hpp"

namespace framework::qt {

namespace {

bool ShownByTextView(const TextArea& area) { return area.ReadOnly() && area.ScrollbarHorizontal(); }

// The editor, with the text as the model had it when the editor last took it (set by the
// platform or typed by the user). Every sync compares the model with this copy rather than with
// the editor's document, which for a table of a million lines takes longer to convert than a
// frame.
class TextAreaEditor : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;
  std::string shown_text;
};

// A text area's scroll bar is there for good when the area has one, inactive while there is
// nothing to scroll, as desktop text areas show it; the view does not jump when a line first
// grows wider than it.
Qt::ScrollBarPolicy BarPolicy(bool present) { return present ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; }

QWidget* Create(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink& sink) {
  if (ShownByTextView(static_cast<const TextArea&>(*control))) return new QtTextView(&parent);
  auto* editor = new TextAreaEditor(&parent);
  const std::weak_ptr<Control> weak = control;
  QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [sink = &sink, weak, editor]() {
    const std::string text = ModelText(editor->toPlainText());
    // The editor holds what was typed; should the model refuse it, the sync after the action
    // puts the model's text back.
    editor->shown_text = text;
    sink->Deliver(weak, [&](Control& target) { static_cast<TextArea&>(target).Type(text); });
  });
  return editor;
}

bool StillShows(const QWidget& widget, const Control& control) {
  return (qobject_cast<const QtTextView*>(&widget) != nullptr) == ShownByTextView(static_cast<const TextArea&>(control));
}

void SyncView(QtTextView& view, const TextArea& area) {
  // A new text replaces the whole and shows its top, as the editor's setPlainText does; the same
  // text again changes nothing. The view's own copy is the one compared with, so a large table
  // is not held a third time.
  if (area.Text() != view.Text()) view.SetText(area.Text());
}

void SyncEditor(TextAreaEditor& editor, const TextArea& area) {
  // Setting the same text again would move the cursor under the user's hands, and costs a second
  // or more for a large table.
  if (area.Text() != editor.shown_text) {
    editor.setPlainText(DisplayText(area.Text()));
    editor.shown_text = area.Text();
  }
  editor.setReadOnly(area.ReadOnly());
  // A TAB indents by four characters of the area's font, as a listing of code expects; Qt's
  // default of 80 pixels would push the explanation's code far to the right.
  const qreal tab = 4.0 * QFontMetricsF(editor.font()).horizontalAdvance(QLatin1Char('0'));
  if (editor.tabStopDistance() != tab) editor.setTabStopDistance(tab);
  editor.setLineWrapMode(area.ScrollbarHorizontal() ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

void Sync(QWidget& widget, const Control& control) {
  auto& scroll_area = static_cast<QAbstractScrollArea&>(widget);
  const auto& area = static_cast<const TextArea&>(control);
  SyncFont(scroll_area, area);
  if (auto* view = qobject_cast<QtTextView*>(&scroll_area)) {
    SyncView(*view, area);
  } else {
    SyncEditor(static_cast<TextAreaEditor&>(scroll_area), area);
  }
  // Each of these, set even unchanged, lays the area out again.
  const Qt::ScrollBarPolicy horizontal = BarPolicy(area.ScrollbarHorizontal());
  if (scroll_area.horizontalScrollBarPolicy() != horizontal) scroll_area.setHorizontalScrollBarPolicy(horizontal);
  const Qt::ScrollBarPolicy vertical = BarPolicy(area.ScrollbarVertical());
  if (scroll_area.verticalScrollBarPolicy() != vertical) scroll_area.setVerticalScrollBarPolicy(vertical);
  const QFrame::Shape frame = area.Border() ? QFrame::StyledPanel : QFrame::NoFrame;
  if (scroll_area.frameShape() != frame) scroll_area.setFrameShape(frame);
  SetPaletteColour(scroll_area, QPalette::Text, ColourAt(area.TextColor()));
  SetPaletteColour(scroll_area, QPalette::Base, ColourAt(area.BackColor()));
}

}  // namespace

const ControlAdapter kTextAreaAdapter{&Create, &Sync, &FocusByTabStop, &StillShows};

}  // namespace framework::qt
