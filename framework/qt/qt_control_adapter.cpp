// Finding a control's adapter, the adapter of visible controls of a class the platform does not
// know, and what several adapters share.

#include "framework/qt/qt_control_adapter.hpp"

#include <QFont>
#include <QWidget>

namespace framework::qt {

namespace {

template <class Kind>
bool Is(const Control& control) {
  return dynamic_cast<const Kind*>(&control) != nullptr;
}

struct KindAdapter {
  bool (*is)(const Control& control);
  const ControlAdapter* adapter;
};

// Looked through once per widget made, never on a sync.
constexpr KindAdapter kKindAdapters[] = {
    {&Is<Rectangle>, &kRectangleAdapter}, {&Is<Canvas>, &kCanvasAdapter},
    {&Is<PushButton>, &kPushButtonAdapter}, {&Is<Label>, &kLabelAdapter},
    {&Is<TextField>, &kTextFieldAdapter}, {&Is<TextArea>, &kTextAreaAdapter},
    {&Is<Slider>, &kSliderAdapter}, {&Is<CheckBox>, &kCheckBoxAdapter},
};

QWidget* CreateEmptyArea(QWidget& parent, const std::shared_ptr<Control>&, UserActionSink&) {
  return new QWidget(&parent);
}

void SyncNothing(QWidget&, const Control&) {}

constexpr ControlAdapter kUnknownKindAdapter{&CreateEmptyArea, &SyncNothing, &FocusByTabStop};

}  // namespace

const ControlAdapter* AdapterFor(const Control& control) {
  for (const KindAdapter& entry : kKindAdapters) {
    if (entry.is(control)) return entry.adapter;
  }
  return Is<RectControl>(control) ? &kUnknownKindAdapter : nullptr;
}

Qt::FocusPolicy NoFocus(const RectControl&) { return Qt::NoFocus; }

Qt::FocusPolicy FocusByTabStop(const RectControl& control) {
  const std::optional<bool> tab_stop = control.TabStop();
  if (!tab_stop) return Qt::NoFocus;
  return *tab_stop ? Qt::StrongFocus : Qt::ClickFocus;
}

void SyncFont(QWidget& widget, const TextControl& control) {
  QFont font = widget.font();
  font.setBold(control.Bold());
  font.setItalic(control.Italic());
  font.setUnderline(control.Underline());
  if (!(font == widget.font())) widget.setFont(font);
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
