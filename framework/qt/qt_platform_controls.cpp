// The controls of the Qt platform: one widget per control, created when its window is shown or
// it is added, kept as the model has it, its user actions delivered to the model; the painting of
// rectangles and canvases; the tab order.

#include "framework/qt/qt_platform_impl.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_graphics.hpp"
#include "framework/qt/qt_painted_widget.hpp"
#include "framework/qt/qt_text_view.hpp"

namespace framework {

namespace {

void PaintRectangle(QPainter& painter, const Rectangle& rectangle, const QSize& size) {
  const int width = size.width();
  const int height = size.height();
  painter.fillRect(QRect(0, 0, width, height), qt::ColourAt(rectangle.FillColor()));
  const int border = std::clamp(rectangle.BorderWidth(), 0, std::max(width, height));
  if (border == 0) return;
  const QColor bottom_right = qt::ColourAt(rectangle.BottomRightColor());
  const QColor top_left = qt::ColourAt(rectangle.TopLeftColor());
  painter.fillRect(QRect(0, height - border, width, border), bottom_right);
  painter.fillRect(QRect(width - border, 0, border, height), bottom_right);
  painter.fillRect(QRect(0, 0, width, border), top_left);
  painter.fillRect(QRect(0, 0, border, height), top_left);
}

Qt::Alignment LabelAlignment(std::int32_t text_align) {
  switch (text_align) {
    case 1: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// Text fields: 0 default, 1 left, 2 centre, 3 right.
Qt::Alignment FieldAlignment(std::int32_t alignment) {
  switch (alignment) {
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// Sets a colour role for the active and inactive window, leaving the disabled look to the style.
void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget.palette();
  if (palette.color(QPalette::Active, role) == colour && palette.color(QPalette::Inactive, role) == colour) {
    return;
  }
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
  widget.setPalette(palette);
}

void SyncFont(QWidget& widget, const TextControl& control) {
  QFont font = widget.font();
  font.setBold(control.Bold());
  font.setItalic(control.Italic());
  font.setUnderline(control.Underline());
  if (!(font == widget.font())) widget.setFont(font);
}

// Controls with a TabStop take the focus by Tab and by click, others only by click; labels and
// rectangles never; a canvas only if it accepts the focus.
Qt::FocusPolicy FocusPolicyOf(const RectControl& control) {
  if (!control.HasProperty("TabStop")) return Qt::NoFocus;
  if (auto* canvas = dynamic_cast<const Canvas*>(&control); canvas != nullptr && !canvas->AcceptFocus()) {
    return Qt::NoFocus;
  }
  return qt::PropertyOr(control, "TabStop", true) ? Qt::StrongFocus : Qt::ClickFocus;
}

// A read-only text area without wrapping (the result window's table, up to a million lines) is
// shown by our own view, which takes such a text in a fraction of the time Qt's editor needs;
// every other text area by Qt's editor.
bool ShownByTextView(const TextArea& area) { return area.ReadOnly() && area.ScrollbarHorizontal(); }

// A text area's scroll bar is there for good when the area has one, inactive while there is
// nothing to scroll, as desktop text areas show it; the view does not jump when a line first
// grows wider than it.
Qt::ScrollBarPolicy BarPolicy(bool present) { return present ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; }

}  // namespace

void QtPlatform::Impl::CreateWidget(qt::WindowView& view, const std::shared_ptr<Control>& control) {
  if (!std::dynamic_pointer_cast<RectControl>(control)) return;
  QWidget* parent = view.content;
  const std::weak_ptr<Control> weak = control;
  QWidget* widget = nullptr;

  if (auto canvas = std::dynamic_pointer_cast<Canvas>(control)) {
    const std::weak_ptr<Canvas> weak_canvas = canvas;
    widget = new QtPaintedWidget(parent, [weak_canvas](QPainter& painter, const QRect& area, const QSize&) {
      auto target = weak_canvas.lock();
      if (!target) return;
      QtGraphics graphics(painter);
      const std::vector<Rect> areas{Rect{area.x(), area.y(), area.width(), area.height()}};
      qt::CallModel([&] { target->Paint(graphics, areas); });
    });
  } else if (auto rectangle = std::dynamic_pointer_cast<Rectangle>(control)) {
    const std::weak_ptr<Rectangle> weak_rectangle = rectangle;
    widget = new QtPaintedWidget(parent, [weak_rectangle](QPainter& painter, const QRect&, const QSize& size) {
      if (auto target = weak_rectangle.lock()) qt::CallModel([&] { PaintRectangle(painter, *target, size); });
    });
  } else if (std::dynamic_pointer_cast<PushButton>(control)) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this, weak]() {
      Deliver(weak, [](Control& target) { static_cast<PushButton&>(target).Press(); });
    });
    widget = button;
  } else if (std::dynamic_pointer_cast<Label>(control)) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    widget = label;
  } else if (std::dynamic_pointer_cast<TextField>(control)) {
    auto* field = new QLineEdit(parent);
    // The line edit lays its whole line out again on every change and every paint, which for a
    // paste of megabytes holds the window. Fields hold numbers and short texts, which need no
    // shaping; skipping it takes about a third off each of those layouts.
    QFont font = field->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    field->setFont(font);
    QObject::connect(field, &QLineEdit::textEdited, field, [this, weak](const QString& text) {
      Deliver(weak, [&](Control& target) { static_cast<TextField&>(target).Type(qt::ModelText(text)); });
    });
    widget = field;
  } else if (auto text_area = std::dynamic_pointer_cast<TextArea>(control); text_area && ShownByTextView(*text_area)) {
    widget = new QtTextView(parent);
  } else if (text_area) {
    auto* area = new QPlainTextEdit(parent);
    QObject::connect(area, &QPlainTextEdit::textChanged, area, [this, weak, area]() {
      const std::string text = qt::ModelText(area->toPlainText());
      // The widget holds what was typed; should the model refuse it, the sync after the action
      // puts the model's text back.
      if (const auto control = weak.lock()) {
        if (qt::ControlView* shown = FindControl(*control).second) shown->shown_text = text;
      }
      Deliver(weak, [&](Control& target) { static_cast<TextArea&>(target).Type(text); });
    });
    widget = area;
  } else if (std::dynamic_pointer_cast<Slider>(control)) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    // The platform's own changes are made with the signals blocked, so a change that gets
    // through came from the user.
    QObject::connect(slider, &QSlider::valueChanged, slider, [this, weak](int value) {
      Deliver(weak, [&](Control& target) { static_cast<Slider&>(target).MoveTo(value); });
    });
    widget = slider;
  } else if (std::dynamic_pointer_cast<CheckBox>(control)) {
    auto* box = new QCheckBox(parent);
    QObject::connect(box, &QCheckBox::clicked, box, [this, weak]() {
      Deliver(weak, [](Control& target) { static_cast<CheckBox&>(target).Toggle(); });
    });
    widget = box;
  } else {
    // A class this platform does not know: an empty area, so that its geometry still shows.
    widget = new QWidget(parent);
  }

  qt::ControlView& control_view = view.controls[control.get()];
  control_view.control = control;
  control_view.widget = widget;
  SyncControl(control_view, *control);
  widget->raise();  // creation order is stacking order, also for a control added later
}

void QtPlatform::Impl::ReplaceWidget(qt::ControlView& view, Control& control) {
  auto [window_view, found] = FindControl(control);
  const auto shared = control.weak_from_this().lock();
  const auto window = control.WindowOrNull();
  if (window_view == nullptr || found != &view || !shared || !window) return;
  QWidget* old = view.widget;
  const bool had_focus = old->hasFocus();
  view.shown_text.clear();
  CreateWidget(*window_view, shared);  // into the same entry, which now holds the new widget
  QWidget* fresh = view.widget;
  fresh->stackUnder(old);
  if (had_focus) fresh->setFocus();
  Retire(old);
  ApplyTabOrder(*window_view, *window);
}

void QtPlatform::Impl::SyncControl(qt::ControlView& view, Control& control) {
  QWidget* widget = view.widget;
  auto* rect_control = dynamic_cast<RectControl*>(&control);
  if (widget == nullptr || rect_control == nullptr) return;
  // A text area that became read-only or lost its wrapping (or the reverse) needs the other widget.
  if (auto* area = dynamic_cast<TextArea*>(&control)) {
    if ((qobject_cast<QtTextView*>(widget) != nullptr) != ShownByTextView(*area)) {
      ReplaceWidget(view, control);
      return;
    }
  }
  const QSignalBlocker blocker(widget);

  const Rect bounds = rect_control->Bounds();
  const QRect geometry(bounds.left, bounds.top, std::max(0, bounds.width), std::max(0, bounds.height));
  if (widget->geometry() != geometry) widget->setGeometry(geometry);
  widget->setEnabled(rect_control->Enabled());
  widget->setToolTip(qt::ToolTip(rect_control->HelpTag()));
  widget->setFocusPolicy(FocusPolicyOf(*rect_control));
  if (auto* text_control = dynamic_cast<TextControl*>(&control)) SyncFont(*widget, *text_control);

  if (dynamic_cast<Canvas*>(&control) != nullptr || dynamic_cast<Rectangle*>(&control) != nullptr) {
    widget->update();
  } else if (auto* button = dynamic_cast<PushButton*>(&control)) {
    auto* push = static_cast<QPushButton*>(widget);
    const QString caption = qt::Caption(button->Caption());
    if (push->text() != caption) push->setText(caption);
    push->setDefault(button->Default());
  } else if (auto* label = dynamic_cast<Label*>(&control)) {
    auto* qlabel = static_cast<QLabel*>(widget);
    const QString text = qt::DisplayText(label->Text());
    if (qlabel->text() != text) qlabel->setText(text);
    qlabel->setAlignment(LabelAlignment(label->TextAlign()));
    qlabel->setWordWrap(qt::PropertyOr(*label, "Multiline", false));
    SetPaletteColour(*qlabel, QPalette::WindowText, qt::ColourAt(label->TextColor()));
  } else if (auto* field = dynamic_cast<TextField*>(&control)) {
    auto* edit = static_cast<QLineEdit*>(widget);
    // LimitText 0 means no limit; the line edit's own default would cut text at 32 767 characters.
    // The limit comes first, since a text is cut to the limit as it is set.
    const std::int32_t limit = qt::PropertyOr(*field, "LimitText", std::int32_t{0});
    const int max_length = limit > 0 ? limit : std::numeric_limits<int>::max();
    if (edit->maxLength() != max_length) edit->setMaxLength(max_length);
    // Setting the same text again would move the cursor to the end under the user's hands.
    const QString text = qt::FromUtf8(field->Text());
    if (edit->text() != text) edit->setText(text);
    edit->setAlignment(FieldAlignment(field->Alignment()));
    edit->setReadOnly(field->ReadOnly());
    edit->setFrame(qt::PropertyOr(*field, "Border", true));
    SetPaletteColour(*edit, QPalette::Text, qt::ColourAt(qt::PropertyOr(*field, "TextColor", Colour{})));
    SetPaletteColour(*edit, QPalette::Base,
                     qt::ColourAt(qt::PropertyOr(*field, "BackColor", Colour::FromRgb(0xFFFFFF))));
  } else if (auto* area = dynamic_cast<TextArea*>(&control)) {
    auto* scroll_area = static_cast<QAbstractScrollArea*>(widget);
    if (auto* text_view = qobject_cast<QtTextView*>(widget)) {
      // A new text replaces the whole and shows its top, as the editor's setPlainText does; the
      // same text again changes nothing. The view's own copy is the one compared with, so a
      // large table is not held a third time.
      if (area->Text() != text_view->Text()) text_view->SetText(area->Text());
      text_view->setHorizontalScrollBarPolicy(BarPolicy(area->ScrollbarHorizontal()));
      text_view->setVerticalScrollBarPolicy(BarPolicy(area->ScrollbarVertical()));
    } else {
      auto* edit = static_cast<QPlainTextEdit*>(widget);
      // Setting the same text again would move the cursor under the user's hands, and costs a
      // second or more for a large table.
      if (area->Text() != view.shown_text) {
        edit->setPlainText(qt::DisplayText(area->Text()));
        view.shown_text = area->Text();
      }
      edit->setReadOnly(area->ReadOnly());
      // A TAB indents by four characters of the area's font, as a listing of code expects; Qt's
      // default of 80 pixels would push the explanation's code far to the right.
      const qreal tab = 4.0 * QFontMetricsF(edit->font()).horizontalAdvance(QLatin1Char('0'));
      if (edit->tabStopDistance() != tab) edit->setTabStopDistance(tab);
      edit->setLineWrapMode(area->ScrollbarHorizontal() ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
      edit->setHorizontalScrollBarPolicy(BarPolicy(area->ScrollbarHorizontal()));
      edit->setVerticalScrollBarPolicy(BarPolicy(area->ScrollbarVertical()));
    }
    scroll_area->setFrameShape(qt::PropertyOr(*area, "Border", true) ? QFrame::StyledPanel : QFrame::NoFrame);
    SetPaletteColour(*scroll_area, QPalette::Text, qt::ColourAt(qt::PropertyOr(*area, "TextColor", Colour{})));
    SetPaletteColour(*scroll_area, QPalette::Base,
                     qt::ColourAt(qt::PropertyOr(*area, "BackColor", Colour::FromRgb(0xFFFFFF))));
  } else if (auto* slider = dynamic_cast<Slider*>(&control)) {
    auto* qslider = static_cast<QSlider*>(widget);
    qslider->setRange(slider->Minimum(), std::max(slider->Minimum(), slider->Maximum()));
    qslider->setValue(slider->Value());
    qslider->setSingleStep(slider->LineStep());
    qslider->setPageStep(slider->PageStep());
    qslider->setTracking(slider->LiveScroll());
  } else if (auto* box = dynamic_cast<CheckBox*>(&control)) {
    auto* qbox = static_cast<QCheckBox*>(widget);
    const QString caption = qt::Caption(box->Caption());
    if (qbox->text() != caption) qbox->setText(caption);
    const bool mixed = box->State() == 2;
    qbox->setTristate(mixed);
    qbox->setCheckState(mixed ? Qt::PartiallyChecked : (box->Value() ? Qt::Checked : Qt::Unchecked));
  }

  // Last, so that a control appears with its final contents.
  widget->setVisible(rect_control->Visible());
}

void QtPlatform::Impl::ApplyTabOrder(qt::WindowView& view, const Window& window) {
  std::vector<std::tuple<std::int32_t, std::size_t, QWidget*>> chain;
  const auto& controls = window.Controls();
  for (std::size_t order = 0; order < controls.size(); ++order) {
    auto* control = dynamic_cast<const RectControl*>(controls[order].get());
    if (control == nullptr) continue;
    const auto found = view.controls.find(control);
    if (found == view.controls.end() || found->second.widget.isNull()) continue;
    QWidget* widget = found->second.widget;
    if ((widget->focusPolicy() & Qt::TabFocus) == 0) continue;
    chain.emplace_back(control->TabIndex(), order, widget);
  }
  std::sort(chain.begin(), chain.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  for (std::size_t i = 1; i < chain.size(); ++i) {
    QWidget::setTabOrder(std::get<2>(chain[i - 1]), std::get<2>(chain[i]));
  }
}

void QtPlatform::Impl::ControlChanged(Control& control) {
  if (auto* timer = dynamic_cast<Timer*>(&control)) {
    SyncTimer(*timer);
    return;
  }
  auto [window_view, control_view] = FindControl(control);
  if (control_view != nullptr) {
    SyncControl(*control_view, control);
    return;
  }
  // A control added to a window that is already shown.
  const auto window = control.WindowOrNull();
  if (!window) return;
  qt::WindowView* view = FindWindow(*window);
  if (view == nullptr) return;
  if (auto shared = control.weak_from_this().lock()) CreateWidget(*view, shared);
  ApplyTabOrder(*view, *window);
}

void QtPlatform::Impl::Repaint(const Canvas& canvas) {
  auto [window_view, control_view] = FindControl(canvas);
  if (control_view != nullptr && control_view->widget) control_view->widget->update();
}

void QtPlatform::Impl::Deliver(const std::weak_ptr<Control>& weak,
                               const std::function<void(Control&)>& action) {
  const auto control = weak.lock();
  if (!control) return;
  qt::CallModel([&] { action(*control); });
  // The action may have closed the window: look the control up again.
  auto [window_view, control_view] = FindControl(*control);
  if (control_view != nullptr) SyncControl(*control_view, *control);
}

}  // namespace framework
