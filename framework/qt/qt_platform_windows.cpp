// The windows of the Qt platform: building one top-level window per shown model window, keeping
// its title, buttons, menu bar and size as the model has them, reporting the user's resizes, closing.

#include "framework/qt/qt_platform_impl.hpp"

#include <algorithm>
#include <memory>

#include <QKeySequence>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <QSize>
#include <QTimer>

#include "framework/application.hpp"
#include "framework/qt/qt_conversions.hpp"
#include "framework/runtime_exception.hpp"

namespace framework {

namespace {

// Marks a window view as being changed by the platform for the lifetime of the guard.
class SyncGuard {
 public:
  explicit SyncGuard(qt::WindowView& view) : m_view(view), m_was(view.syncing) { view.syncing = true; }
  ~SyncGuard() { m_view.syncing = m_was; }
  SyncGuard(const SyncGuard&) = delete;
  SyncGuard& operator=(const SyncGuard&) = delete;

 private:
  qt::WindowView& m_view;
  bool m_was;
};

}  // namespace

void QtPlatform::Impl::ShowWindow(Window& window) {
  qt::WindowView* view = FindWindow(window);
  if (view != nullptr) {
    // While the window was hidden the model told nothing about its controls.
    bool tab_order_changed = false;
    for (auto& [key, control_view] : view->controls) {
      if (auto control = control_view.control.lock()) {
        SyncControl(control_view, *control);
        tab_order_changed = tab_order_changed || TabPlaceChanged(control_view, *control);
      }
    }
    if (tab_order_changed) ApplyTabOrder(*view, window);
  } else {
    view = &CreateWindowView(window);
  }
  SyncWindow(*view, window);
  view->top->show();
  view->top->raise();
  view->top->activateWindow();
}

qt::WindowView& QtPlatform::Impl::CreateWindowView(Window& window) {
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

  windows.push_back(std::make_unique<qt::WindowView>());
  qt::WindowView& view = *windows.back();
  view.key = &window;
  view.window = window.weak_from_this();
  const std::weak_ptr<Window> weak_window = view.window;
  const Window* key = &window;

  view.top = new QtWindowWidget([weak_window]() {
    if (auto target = weak_window.lock()) qt::CallModel([&] { target->Close(); });
  });
  view.content = new QtContentWidget([this, key](QSize size) { OnContentResized(key, size); });
  view.top->setCentralWidget(view.content);

  // Return and Escape belong to the window, whichever control has the focus; a text field does
  // not claim them, so they reach the window before the field sees them.
  const auto add_key = [&](Qt::Key key_code, void (Window::*press)()) {
    auto* shortcut = new QShortcut(QKeySequence(key_code), view.top);
    QObject::connect(shortcut, &QShortcut::activated, view.top, [weak_window, press]() {
      if (auto target = weak_window.lock()) qt::CallModel([&] { ((*target).*press)(); });
    });
  };
  add_key(Qt::Key_Return, &Window::PressReturn);
  add_key(Qt::Key_Enter, &Window::PressReturn);
  add_key(Qt::Key_Escape, &Window::PressEscape);
  return view;
}

void QtPlatform::Impl::SyncWindow(qt::WindowView& view, Window& window) {
  SyncGuard guard(view);
  view.top->setWindowTitle(qt::FromUtf8(window.Title()));

  // All controls at the first showing; later, those added since.
  bool added = false;
  for (const auto& control : window.Controls()) {
    // A timer has no widget; the model tells of it by itself (TimerChanged).
    if (dynamic_cast<const Timer*>(control.get()) != nullptr) continue;
    if (view.controls.find(control.get()) == view.controls.end()) {
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

  // A desktop window here carries its menus itself, and the user expects File > Quit, Ctrl+Q and
  // the Edit items in every window of the program: a window without a menu bar of its own shows
  // the application's.
  std::shared_ptr<framework::MenuBar> menu_bar = window.MenuBar();
  if (!menu_bar) {
    if (const std::shared_ptr<Application> application = App()) menu_bar = application->MenuBar();
  }
  if (menu_bar.get() != view.menu_bar.lock().get()) BuildMenuBar(view, menu_bar);
  if (menu_bar) view.top->menuBar()->setVisible(window.MenuBarVisible());

  ApplyContentSize(view, window);
  // The model hides a window by making it invisible while it is still shown.
  if (!window.Visible()) view.top->hide();
}

void QtPlatform::Impl::ApplyContentSize(qt::WindowView& view, const Window& window) {
  if (view.in_resize_event) {
    // Qt is laying the window out for the user's resize right now; measuring and resizing it from
    // within would fight that layout. The window follows the model once Qt is done.
    if (!view.resize_pending) {
      view.resize_pending = true;
      const Window* key = view.key;
      QTimer::singleShot(0, view.top, [this, key]() {
        qt::WindowView* later = FindWindow(key);
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
  qt::WindowView* view = FindWindow(key);
  if (view == nullptr || view->syncing) return;
  auto window = view->window.lock();
  if (!window || (window->Width() == size.width() && window->Height() == size.height())) return;
  view->in_resize_event = true;
  qt::CallModel([&] { window->Resize(size.width(), size.height()); });
  // The model's handlers may have closed the window.
  if (qt::WindowView* still = FindWindow(key)) still->in_resize_event = false;
}

void QtPlatform::Impl::CloseWindow(const Window& window) {
  // A window that was never shown, or is hidden, has timers all the same.
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    if (it->second.owner == &window) {
      Retire(it->second.qtimer.data());
      it = m_timers.erase(it);
    } else {
      ++it;
    }
  }
  const auto found = std::find_if(windows.begin(), windows.end(),
                                  [&](const auto& view) { return view->key == &window; });
  if (found == windows.end()) return;
  std::unique_ptr<qt::WindowView> view = std::move(*found);
  windows.erase(found);
  Retire(view->top.data());
}

}  // namespace framework
