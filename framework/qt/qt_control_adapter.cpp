// Finding a control's adapter, the adapter of visible controls of a kind the platform does not
// know, and what several adapters share.

#include "framework/qt/qt_control_adapter.hpp"

#include <optional>

#include <QFont>
#include <QWidget>

namespace framework::qt {

namespace {

struct KindAdapter {
  const PropertyKind* kind;
  const ControlAdapter* adapter;
};

// Looked through once per widget made, never on a sync.
constexpr KindAdapter kKindAdapters[] = {
    {&kinds::Rectangle, &kRectangleAdapter}, {&kinds::Canvas, &kCanvasAdapter},
    {&kinds::PushButton, &kPushButtonAdapter}, {&kinds::Label, &kLabelAdapter},
    {&kinds::TextField, &kTextFieldAdapter}, {&kinds::TextArea, &kTextAreaAdapter},
    {&kinds::Slider, &kSliderAdapter}, {&kinds::CheckBox, &kCheckBoxAdapter},
};

QWidget* CreateEmptyArea(QWidget& parent, const std::shared_ptr<Control>&, UserActionSink&) {
  return new QWidget(&parent);
}

void SyncNothing(QWidget&, const Control&) {}

constexpr ControlAdapter kUnknownKindAdapter{&CreateEmptyArea, &SyncNothing, &FocusByTabStop};

}  // namespace

const ControlAdapter* AdapterFor(const PropertyKind& kind) {
  for (const KindAdapter& entry : kKindAdapters) {
    if (entry.kind == &kind) return entry.adapter;
  }
  return nullptr;
}

const ControlAdapter* AdapterFor(const Control& control) {
  if (const ControlAdapter* adapter = AdapterFor(control.Kind())) return adapter;
  return dynamic_cast<const RectControl*>(&control) != nullptr ? &kUnknownKindAdapter : nullptr;
}

Qt::FocusPolicy NoFocus(const RectControl&) { return Qt::NoFocus; }

Qt::FocusPolicy FocusByTabStop(const RectControl& control) {
  const std::optional<bool> tab_stop = control.TabStop();
  if (!tab_stop) return Qt::NoFocus;
  return *tab_stop ? Qt::StrongFocus : Qt::ClickFocus;
}

void SyncFont(QWidget& widget, const TextControl& control) {
  // Compared before a copy is changed: changing a copy of the widget's font allocates one of its
  // own, on every sync of every label.
  const QFont::Weight weight = control.Bold() ? QFont::Bold : QFont::Normal;
  const QFont::Style style = control.Italic() ? QFont::StyleItalic : QFont::StyleNormal;
  const QFont& shown = widget.font();
  if (shown.weight() == weight && shown.style() == style && shown.underline() == control.Underline()) return;
  QFont font = shown;
  font.setWeight(weight);
  font.setStyle(style);
  font.setUnderline(control.Underline());
  widget.setFont(font);
}

void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget.palette();
  if (palette.color(QPalette::Active, role) == colour && palette.color(QPalette::Inactive, role) == colour) {
    return;
  }
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
  widget.setPalette(palette);
}

}  // namespace framework::qt
