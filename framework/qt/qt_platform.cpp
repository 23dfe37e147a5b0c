#include "framework/qt/qt_platform.hpp"

// Sections
//   1. Calling the model from Qt
//   2. The mapping from model objects to Qt objects
//   3. Life: the application, the event loop
//   4. Windows: building, following the model, closing
//   5. Controls: one widget per control, following the model
//   6. Menus and the standard Edit actions
//   7. Timers
//   8. Lookups for tests

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextCursor>
#include <QTimer>

#include <xcb/xcb.h>

#include "framework/controls.hpp"
#include "framework/menu_item.hpp"
#include "framework/qt/qt_content_widget.hpp"
#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_graphics.hpp"
#include "framework/qt/qt_painted_widget.hpp"
#include "framework/qt/qt_window_widget.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/timer.hpp"
#include "framework/window.hpp"

namespace framework {

// ---------------------------------------------------------------------------------------------
// 1. Calling the model from Qt
// ---------------------------------------------------------------------------------------------

namespace {

// Every call from a Qt signal or event handler into the model goes through here: an exception
// must never unwind through Qt's event loop, so it goes to the framework's default handling.
template <class F>
void CallModel(F&& call) {
  try {
    call();
  } catch (...) {
    try {
      UnhandledException(std::current_exception());
    } catch (...) {
      std::fputs("quillorn: an exception escaped the default handling of exceptions\n", stderr);
    }
  }
}

// A property that only some classes define (TabStop, Border, TextColor ...), or `fallback`.
template <class T>
T PropertyOr(const PropertyHolder& holder, std::string_view name, T fallback) {
  if (!holder.HasProperty(name)) return fallback;
  if (const T* value = std::get_if<T>(&holder.Property(name))) return *value;
  return fallback;
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// ---------------------------------------------------------------------------------------------
// 2. The mapping from model objects to Qt objects
// ---------------------------------------------------------------------------------------------

struct ControlView {
  std::weak_ptr<Control> control;
  QPointer<QWidget> widget;
};

struct WindowView {
  const Window* key = nullptr;
  std::weak_ptr<Window> window;
  QPointer<QtWindowWidget> top;
  QPointer<QtContentWidget> content;
  std::map<const Control*, ControlView> controls;
  // The menu bar that the Qt menu bar was built from, and the action of each of its items.
  std::weak_ptr<MenuItem> menu_bar;
  std::vector<std::pair<const MenuItem*, QPointer<QAction>>> actions;
  // True while the platform itself resizes the window, so that the resize is not reported back.
  bool syncing = false;
  // True while the model handles a resize by the user; then a size correction waits until Qt has
  // finished laying out the window.
  bool in_resize_event = false;
  bool resize_pending = false;
};

struct TimerView {
  std::weak_ptr<Control> timer;
  const Window* owner = nullptr;
  QPointer<QTimer> qtimer;
};

// Marks a window view as being changed by the platform for the lifetime of the guard.
class SyncGuard {
 public:
  explicit SyncGuard(WindowView& view) : m_view(view), m_was(view.syncing) { view.syncing = true; }
  ~SyncGuard() { m_view.syncing = m_was; }
  SyncGuard(const SyncGuard&) = delete;
  SyncGuard& operator=(const SyncGuard&) = delete;

 private:
  WindowView& m_view;
  bool m_was;
};

}  // namespace

class QtPlatform::Impl {
 public:
  Impl(int& argc, char** argv);
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  // Life.
  void Run();
  void Quit();

  // Windows.
  void ShowWindow(Window& window);
  void CloseWindow(const Window& window);
  void SyncWindow(WindowView& view, Window& window);

  // Controls.
  void ControlChanged(Control& control);
  void Repaint(const Canvas& canvas);

  // Menus.
  void StandardMenuAction(const MenuItem& item);

  // Timers.
  void SyncTimer(Timer& timer);
  void SyncTimers(const Window& window);

  // Lookups.
  WindowView* FindWindow(const Window& window) const { return FindWindow(&window); }
  // By address; null also when the window at that address is not the one that was shown.
  WindowView* FindWindow(const Window* key) const;
  std::pair<WindowView*, ControlView*> FindControl(const Control& control) const;
  QAction* FindAction(const WindowView& view, const MenuItem& item) const;
  QTimer* FindTimer(const Timer& timer) const;

  std::vector<std::unique_ptr<WindowView>> windows;

 private:
  void CreateWidget(WindowView& view, const std::shared_ptr<Control>& control);
  void SyncControl(ControlView& view, Control& control);
  void ApplyTabOrder(WindowView& view, const Window& window);
  void ApplyContentSize(WindowView& view, const Window& window);
  void BuildMenuBar(WindowView& view, const std::shared_ptr<framework::MenuBar>& menu_bar);
  void AddMenuEntry(WindowView& view, QWidget& parent, const std::shared_ptr<MenuItem>& item);
  void OnContentResized(const Window* key, QSize size);
  void OnTick(const Timer* key);
  // Runs a user action on a control, then shows the control as the model now has it, whatever
  // the model made of the action (it may have refused or clamped it).
  void Deliver(const std::weak_ptr<Control>& weak, const std::function<void(Control&)>& action);
  // Takes a Qt object out of service now and deletes it once control is back in the event loop
  // (it may be the very widget whose signal is being handled).
  void Retire(QObject* object);

  std::unique_ptr<QApplication> m_application;  // null when the application was already there
  std::map<const Timer*, TimerView> m_timers;
  std::vector<QPointer<QObject>> m_retired;
  bool m_running = false;
  bool m_quit_pending = false;
};

// ---------------------------------------------------------------------------------------------
// 3. Life: the application, the event loop
// ---------------------------------------------------------------------------------------------

QtPlatform::Impl::Impl(int& argc, char** argv) {
  if (QApplication::instance() == nullptr) m_application = std::make_unique<QApplication>(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The windows are written in Japanese; a default font without Japanese glyphs would leave the
  // choice of a fallback to chance, character by character.
  const QFont font = QApplication::font();
  const QFont japanese = qt::JapaneseCapableFont(font);
  if (!(japanese == font)) QApplication::setFont(japanese);
}

QtPlatform::Impl::~Impl() {
  for (auto& view : windows) delete view->top.data();
  windows.clear();
  for (auto& [key, timer] : m_timers) delete timer.qtimer.data();
  m_timers.clear();
  for (auto& object : m_retired) delete object.data();
  m_retired.clear();
}

void QtPlatform::Impl::Run() {
  if (m_quit_pending) {
    // Quit came before the loop started; QCoreApplication::exit would have been lost.
    m_quit_pending = false;
    return;
  }
  m_running = true;
  QApplication::exec();
  m_running = false;
  m_quit_pending = false;
}

void QtPlatform::Impl::Quit() {
  if (m_running) {
    QCoreApplication::exit(0);
  } else {
    m_quit_pending = true;
  }
}

void QtPlatform::Impl::Retire(QObject* object) {
  if (object == nullptr) return;
  object->blockSignals(true);
  for (QObject* child : object->findChildren<QObject*>()) child->blockSignals(true);
  if (auto* widget = qobject_cast<QWidget*>(object)) widget->hide();
  if (auto* timer = qobject_cast<QTimer*>(object)) timer->stop();
  object->deleteLater();
  std::erase_if(m_retired, [](const QPointer<QObject>& retired) { return retired.isNull(); });
  m_retired.emplace_back(object);
}

// ---------------------------------------------------------------------------------------------
// 4. Windows: building, following the model, closing
// ---------------------------------------------------------------------------------------------

void QtPlatform::Impl::ShowWindow(Window& window) {
  if (WindowView* view = FindWindow(window)) {
    // While the window was hidden the model told nothing about its controls.
    for (auto& [key, control_view] : view->controls) {
      if (auto control = control_view.control.lock()) SyncControl(control_view, *control);
    }
    SyncWindow(*view, window);
    SyncTimers(window);
    view->top->show();
    view->top->raise();
    view->top->activateWindow();
    return;
  }

  // Views of windows that went away without being closed must not linger on the screen.
  for (auto it = windows.begin(); it != windows.end();) {
    if ((*it)->window.expired()) {
      Retire((*it)->top.data());
      it = windows.erase(it);
    } else {
      ++it;
    }
  }
  if (window.weak_from_this().expired()) {
    throw RuntimeException("a window can be shown only while a std::shared_ptr owns it");
  }

  windows.push_back(std::make_unique<WindowView>());
  WindowView& view = *windows.back();
  view.key = &window;
  view.window = window.weak_from_this();
  const std::weak_ptr<Window> weak_window = view.window;
  const Window* key = &window;

  view.top = new QtWindowWidget([weak_window]() {
    if (auto target = weak_window.lock()) CallModel([&] { target->Close(); });
  });
  view.content = new QtContentWidget([this, key](QSize size) { OnContentResized(key, size); });
  view.top->setCentralWidget(view.content);

  // Return and Escape belong to the window, whichever control has the focus; a text field does
  // not claim them, so they reach the window before the field sees them.
  const auto add_key = [&](Qt::Key key_code, void (Window::*press)()) {
    auto* shortcut = new QShortcut(QKeySequence(key_code), view.top);
    QObject::connect(shortcut, &QShortcut::activated, view.top, [weak_window, press]() {
      if (auto target = weak_window.lock()) CallModel([&] { ((*target).*press)(); });
    });
  };
  add_key(Qt::Key_Return, &Window::PressReturn);
  add_key(Qt::Key_Enter, &Window::PressReturn);
  add_key(Qt::Key_Escape, &Window::PressEscape);

  SyncWindow(view, window);
  // The model tells about its timers only while their window is shown.
  SyncTimers(window);

  view.top->show();
  view.top->raise();
  view.top->activateWindow();
}

void QtPlatform::Impl::SyncWindow(WindowView& view, Window& window) {
  SyncGuard guard(view);
  view.top->setWindowTitle(FromUtf8(window.Title()));

  // All controls at the first showing; later, those added since.
  bool added = false;
  for (const auto& control : window.Controls()) {
    if (auto* timer = dynamic_cast<Timer*>(control.get())) {
      if (FindTimer(*timer) == nullptr) SyncTimer(*timer);
    } else if (view.controls.find(control.get()) == view.controls.end()) {
      CreateWidget(view, control);
      added = true;
    }
  }
  if (added) ApplyTabOrder(view, window);

  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (window.MinimizeButton()) flags |= Qt::WindowMinimizeButtonHint;
  if (window.MaximizeButton() && window.Resizeable()) flags |= Qt::WindowMaximizeButtonHint;
  if (window.CloseButton()) flags |= Qt::WindowCloseButtonHint;
  if (view.top->windowFlags() != flags) {
    // Changing the flags of a shown window hides it.
    const bool was_visible = view.top->isVisible();
    view.top->setWindowFlags(flags);
    if (was_visible) view.top->show();
  }

  const std::shared_ptr<framework::MenuBar> menu_bar = window.MenuBar();
  if (menu_bar.get() != view.menu_bar.lock().get()) BuildMenuBar(view, menu_bar);
  if (menu_bar) view.top->menuBar()->setVisible(PropertyOr(window, "MenuBarVisible", true));

  ApplyContentSize(view, window);
  // The model hides a window by making it invisible while it is still shown.
  if (!window.Visible()) view.top->hide();
}

void QtPlatform::Impl::ApplyContentSize(WindowView& view, const Window& window) {
  if (view.in_resize_event) {
    // Qt is laying the window out for the user's resize right now; measuring and resizing it from
    // within would fight that layout. The window follows the model once Qt is done.
    if (!view.resize_pending) {
      view.resize_pending = true;
      const Window* key = view.key;
      QTimer::singleShot(0, view.top, [this, key]() {
        WindowView* later = FindWindow(key);
        if (later == nullptr) return;
        later->resize_pending = false;
        if (auto target = later->window.lock()) {
          SyncGuard guard(*later);
          ApplyContentSize(*later, *target);
        }
      });
    }
    return;
  }
  const QSize content_size(std::max(0, window.Width()), std::max(0, window.Height()));
  // What the window adds around its content (its menu bar), measured rather than assumed: a
  // desktop with a global menu bar adds nothing.
  const auto measure_extra = [&view]() {
    if (QLayout* layout = view.top->layout()) {
      layout->invalidate();
      layout->activate();
    }
    return view.top->size() - view.content->size();
  };
  QSize extra = measure_extra();
  if (window.Resizeable()) {
    const QSize minimum(std::max(0, window.MinWidth()), std::max(0, window.MinHeight()));
    const QSize maximum = QSize(std::max(window.MaxWidth(), minimum.width()),
                                std::max(window.MaxHeight(), minimum.height()))
                              .boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) - extra);
    view.top->setMinimumSize(minimum + extra);
    view.top->setMaximumSize(maximum + extra);
  } else {
    view.top->setFixedSize(content_size + extra);
  }
  if (view.content->size() == content_size) return;
  view.top->resize(content_size + extra);
  // The first measure can be off while the menu bar has not been laid out yet.
  extra = measure_extra();
  if (view.content->size() != content_size) {
    if (!window.Resizeable()) view.top->setFixedSize(content_size + extra);
    view.top->resize(content_size + extra);
    measure_extra();
  }
}

void QtPlatform::Impl::OnContentResized(const Window* key, QSize size) {
  WindowView* view = FindWindow(key);
  if (view == nullptr || view->syncing) return;
  auto window = view->window.lock();
  if (!window || (window->Width() == size.width() && window->Height() == size.height())) return;
  view->in_resize_event = true;
  CallModel([&] { window->Resize(size.width(), size.height()); });
  // The model's handlers may have closed the window.
  if (WindowView* still = FindWindow(key)) still->in_resize_event = false;
}

void QtPlatform::Impl::CloseWindow(const Window& window) {
  const auto found = std::find_if(windows.begin(), windows.end(),
                                  [&](const auto& view) { return view->key == &window; });
  if (found == windows.end()) return;
  std::unique_ptr<WindowView> view = std::move(*found);
  windows.erase(found);
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    if (it->second.owner == &window) {
      Retire(it->second.qtimer.data());
      it = m_timers.erase(it);
    } else {
      ++it;
    }
  }
  Retire(view->top.data());
}

// ---------------------------------------------------------------------------------------------
// 5. Controls: one widget per control, following the model
// ---------------------------------------------------------------------------------------------

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
  return PropertyOr(control, "TabStop", true) ? Qt::StrongFocus : Qt::ClickFocus;
}

}  // namespace

void QtPlatform::Impl::CreateWidget(WindowView& view, const std::shared_ptr<Control>& control) {
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
      CallModel([&] { target->Paint(graphics, areas); });
    });
  } else if (auto rectangle = std::dynamic_pointer_cast<Rectangle>(control)) {
    const std::weak_ptr<Rectangle> weak_rectangle = rectangle;
    widget = new QtPaintedWidget(parent, [weak_rectangle](QPainter& painter, const QRect&, const QSize& size) {
      if (auto target = weak_rectangle.lock()) CallModel([&] { PaintRectangle(painter, *target, size); });
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
    QObject::connect(field, &QLineEdit::textEdited, field, [this, weak](const QString& text) {
      Deliver(weak, [&](Control& target) { static_cast<TextField&>(target).Type(qt::ModelText(text)); });
    });
    widget = field;
  } else if (std::dynamic_pointer_cast<TextArea>(control)) {
    auto* area = new QPlainTextEdit(parent);
    QObject::connect(area, &QPlainTextEdit::textChanged, area, [this, weak, area]() {
      const std::string text = qt::ModelText(area->toPlainText());
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

  ControlView& control_view = view.controls[control.get()];
  control_view.control = control;
  control_view.widget = widget;
  SyncControl(control_view, *control);
  widget->raise();  // creation order is stacking order, also for a control added later
}

void QtPlatform::Impl::SyncControl(ControlView& view, Control& control) {
  QWidget* widget = view.widget;
  auto* rect_control = dynamic_cast<RectControl*>(&control);
  if (widget == nullptr || rect_control == nullptr) return;
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
    qlabel->setWordWrap(PropertyOr(*label, "Multiline", false));
    SetPaletteColour(*qlabel, QPalette::WindowText, qt::ColourAt(label->TextColor()));
  } else if (auto* field = dynamic_cast<TextField*>(&control)) {
    auto* edit = static_cast<QLineEdit*>(widget);
    // Setting the same text again would move the cursor to the end under the user's hands.
    const QString text = FromUtf8(field->Text());
    if (edit->text() != text) edit->setText(text);
    edit->setAlignment(FieldAlignment(field->Alignment()));
    edit->setReadOnly(field->ReadOnly());
    edit->setFrame(PropertyOr(*field, "Border", true));
    SetPaletteColour(*edit, QPalette::Text, qt::ColourAt(PropertyOr(*field, "TextColor", Colour{})));
    SetPaletteColour(*edit, QPalette::Base,
                     qt::ColourAt(PropertyOr(*field, "BackColor", Colour::FromRgb(0xFFFFFF))));
  } else if (auto* area = dynamic_cast<TextArea*>(&control)) {
    auto* edit = static_cast<QPlainTextEdit*>(widget);
    const QString text = qt::DisplayText(area->Text());
    if (edit->toPlainText() != text) edit->setPlainText(text);
    edit->setReadOnly(area->ReadOnly());
    if (area->ScrollbarHorizontal()) {
      edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    } else {
      edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    }
    edit->setVerticalScrollBarPolicy(area->ScrollbarVertical() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    edit->setFrameShape(PropertyOr(*area, "Border", true) ? QFrame::StyledPanel : QFrame::NoFrame);
    SetPaletteColour(*edit, QPalette::Text, qt::ColourAt(PropertyOr(*area, "TextColor", Colour{})));
    SetPaletteColour(*edit, QPalette::Base,
                     qt::ColourAt(PropertyOr(*area, "BackColor", Colour::FromRgb(0xFFFFFF))));
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

void QtPlatform::Impl::ApplyTabOrder(WindowView& view, const Window& window) {
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
  WindowView* view = FindWindow(*window);
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
  CallModel([&] { action(*control); });
  // The action may have closed the window: look the control up again.
  auto [window_view, control_view] = FindControl(*control);
  if (control_view != nullptr) SyncControl(*control_view, *control);
}

// ---------------------------------------------------------------------------------------------
// 6. Menus and the standard Edit actions
// ---------------------------------------------------------------------------------------------

void QtPlatform::Impl::BuildMenuBar(WindowView& view, const std::shared_ptr<framework::MenuBar>& menu_bar) {
  view.actions.clear();
  view.menu_bar = menu_bar;
  if (!menu_bar) {
    // QMainWindow deletes the menu bar it replaces once control is back in the event loop.
    view.top->setMenuBar(nullptr);
    return;
  }
  auto* bar = new QMenuBar(view.top);
  for (const auto& menu : menu_bar->Children()) {
    // Whatever sits on the bar is a menu, even one without items.
    if (menu->IsSeparator()) {
      bar->addSeparator();
      continue;
    }
    auto* qmenu = new QMenu(qt::Caption(menu->Text()), bar);
    for (const auto& item : menu->Children()) AddMenuEntry(view, *qmenu, item);
    bar->addMenu(qmenu);
    view.actions.emplace_back(menu.get(), qmenu->menuAction());
  }
  view.top->setMenuBar(bar);
}

void QtPlatform::Impl::AddMenuEntry(WindowView& view, QWidget& parent, const std::shared_ptr<MenuItem>& item) {
  auto* menu = static_cast<QMenu*>(&parent);
  if (item->IsSeparator()) {
    view.actions.emplace_back(item.get(), menu->addSeparator());
    return;
  }
  if (item->Count() > 0) {
    auto* submenu = new QMenu(qt::Caption(item->Text()), menu);
    for (const auto& child : item->Children()) AddMenuEntry(view, *submenu, child);
    menu->addMenu(submenu);
    view.actions.emplace_back(item.get(), submenu->menuAction());
    return;
  }
  auto* action = new QAction(qt::Caption(item->Text()), menu);
  action->setShortcut(qt::KeySequence(item->KeyboardShortcut()));
  const std::weak_ptr<MenuItem> weak = item;
  QObject::connect(action, &QAction::triggered, action, [weak]() {
    if (auto target = weak.lock()) CallModel([&] { target->Choose(); });
  });
  menu->addAction(action);
  view.actions.emplace_back(item.get(), action);
}

namespace {

// The text field or text area that has the focus (or contains the focused part), or null.
QWidget* FocusedTextWidget() {
  QWidget* widget = QApplication::focusWidget();
  if (widget == nullptr && QApplication::activeWindow() != nullptr) {
    widget = QApplication::activeWindow()->focusWidget();
  }
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<QPlainTextEdit*>(widget) != nullptr) {
      return widget;
    }
    if (widget->isWindow()) break;
  }
  return nullptr;
}

}  // namespace

void QtPlatform::Impl::StandardMenuAction(const MenuItem& item) {
  QWidget* focused = FocusedTextWidget();
  const std::string& name = item.Name();
  // Edits go through the widget as if typed, so the model hears of them by the same signals.
  if (auto* field = qobject_cast<QLineEdit*>(focused)) {
    const bool editable = !field->isReadOnly() && field->isEnabled();
    if (name == "EditUndo" && editable) field->undo();
    if (name == "EditCut" && editable) field->cut();
    if (name == "EditCopy") field->copy();
    if (name == "EditPaste" && editable) field->paste();
    if (name == "EditClear" && editable && field->hasSelectedText()) field->del();
    if (name == "EditSelectAll") field->selectAll();
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(focused)) {
    const bool editable = !area->isReadOnly() && area->isEnabled();
    if (name == "EditUndo" && editable) area->undo();
    if (name == "EditCut" && editable) area->cut();
    if (name == "EditCopy") area->copy();
    if (name == "EditPaste" && editable) area->paste();
    if (name == "EditClear" && editable) {
      QTextCursor cursor = area->textCursor();
      cursor.removeSelectedText();
      area->setTextCursor(cursor);
    }
    if (name == "EditSelectAll") area->selectAll();
  }
}

// ---------------------------------------------------------------------------------------------
// 7. Timers
// ---------------------------------------------------------------------------------------------

void QtPlatform::Impl::SyncTimer(Timer& timer) {
  if (timer.weak_from_this().expired()) return;  // only a timer that a window owns can tick
  TimerView& view = m_timers[&timer];
  if (view.timer.lock().get() != &timer) {
    // A new timer, or a new one at the address of one that is gone.
    Retire(view.qtimer.data());
    view = TimerView{};
    view.timer = timer.weak_from_this();
    const auto owner = timer.WindowOrNull();
    view.owner = owner.get();
    view.qtimer = new QTimer();
    view.qtimer->setTimerType(Qt::PreciseTimer);
    const Timer* key = &timer;
    QObject::connect(view.qtimer.data(), &QTimer::timeout, view.qtimer.data(), [this, key]() { OnTick(key); });
  }
  if (timer.IsRunning()) {
    view.qtimer->start(std::max(1, timer.EffectivePeriod()));
  } else {
    view.qtimer->stop();
  }
}

void QtPlatform::Impl::SyncTimers(const Window& window) {
  for (const auto& control : window.Controls()) {
    if (auto* timer = dynamic_cast<Timer*>(control.get())) SyncTimer(*timer);
  }
}

void QtPlatform::Impl::OnTick(const Timer* key) {
  const auto found = m_timers.find(key);
  if (found == m_timers.end()) return;
  const auto control = found->second.timer.lock();
  if (!control) {
    Retire(found->second.qtimer.data());
    m_timers.erase(found);
    return;
  }
  auto& timer = static_cast<Timer&>(*control);
  CallModel([&] { timer.Tick(); });
}

// ---------------------------------------------------------------------------------------------
// 8. Lookups for tests
// ---------------------------------------------------------------------------------------------

WindowView* QtPlatform::Impl::FindWindow(const Window* key) const {
  for (const auto& view : windows) {
    if (view->key == key && view->window.lock().get() == key && view->top) return view.get();
  }
  return nullptr;
}

std::pair<WindowView*, ControlView*> QtPlatform::Impl::FindControl(const Control& control) const {
  for (const auto& view : windows) {
    const auto found = view->controls.find(&control);
    if (found != view->controls.end() && found->second.control.lock().get() == &control) {
      return {view.get(), &found->second};
    }
  }
  return {nullptr, nullptr};
}

QAction* QtPlatform::Impl::FindAction(const WindowView& view, const MenuItem& item) const {
  for (const auto& [key, action] : view.actions) {
    if (key == &item && action) return action;
  }
  return nullptr;
}

QTimer* QtPlatform::Impl::FindTimer(const Timer& timer) const {
  const auto found = m_timers.find(&timer);
  if (found == m_timers.end() || found->second.timer.lock().get() != &timer) return nullptr;
  return found->second.qtimer;
}

// ---------------------------------------------------------------------------------------------
// QtPlatform: the Platform interface, handed to the implementation
// ---------------------------------------------------------------------------------------------

QtPlatform::QtPlatform(int& argc, char** argv) : m_impl(std::make_unique<Impl>(argc, argv)) {}

QtPlatform::~QtPlatform() = default;

bool QtPlatform::DisplayAvailable() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
  };
  // A platform chosen by name (offscreen, for one) needs no display of ours to check.
  if (set("QT_QPA_PLATFORM")) return true;
  if (set("WAYLAND_DISPLAY")) {
    std::filesystem::path socket = std::getenv("WAYLAND_DISPLAY");
    if (socket.is_relative() && set("XDG_RUNTIME_DIR")) socket = std::getenv("XDG_RUNTIME_DIR") / socket;
    std::error_code ignored;
    if (std::filesystem::exists(socket, ignored)) return true;
  }
  if (!set("DISPLAY")) return false;
  // Qt ends the process when it cannot open the X display it was given, so open it ourselves
  // first: a DISPLAY that names no running server counts as no display.
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool reachable = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return reachable;
}

void QtPlatform::WindowShown(Window& window) { m_impl->ShowWindow(window); }

void QtPlatform::WindowClosed(Window& window) { m_impl->CloseWindow(window); }

void QtPlatform::WindowChanged(Window& window) {
  if (WindowView* view = m_impl->FindWindow(window)) m_impl->SyncWindow(*view, window);
}

void QtPlatform::ControlChanged(Control& control) { m_impl->ControlChanged(control); }

void QtPlatform::RepaintRequested(Canvas& canvas) { m_impl->Repaint(canvas); }

void QtPlatform::TimerChanged(Timer& timer) { m_impl->SyncTimer(timer); }

void QtPlatform::StandardMenuAction(MenuItem& item) { m_impl->StandardMenuAction(item); }

void QtPlatform::Run() { m_impl->Run(); }

void QtPlatform::Quit() { m_impl->Quit(); }

QWidget* QtPlatform::WindowWidgetFor(const Window& window) const {
  WindowView* view = m_impl->FindWindow(window);
  return view != nullptr ? view->top.data() : nullptr;
}

QWidget* QtPlatform::ContentWidgetFor(const Window& window) const {
  WindowView* view = m_impl->FindWindow(window);
  return view != nullptr ? view->content.data() : nullptr;
}

QWidget* QtPlatform::WidgetFor(const Control& control) const {
  auto [window_view, control_view] = m_impl->FindControl(control);
  return control_view != nullptr ? control_view->widget.data() : nullptr;
}

QAction* QtPlatform::ActionFor(const Window& window, const MenuItem& item) const {
  WindowView* view = m_impl->FindWindow(window);
  return view != nullptr ? m_impl->FindAction(*view, item) : nullptr;
}

QAction* QtPlatform::ActionFor(const MenuItem& item) const {
  for (const auto& view : m_impl->windows) {
    if (QAction* action = m_impl->FindAction(*view, item)) return action;
  }
  return nullptr;
}

QTimer* QtPlatform::TimerFor(const Timer& timer) const { return m_impl->FindTimer(timer); }

}  // namespace framework
