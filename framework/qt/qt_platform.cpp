// The platform's life (the application and its event loop), the lookups from model objects to
// their Qt objects, and the public QtPlatform methods, which hand each call to the Impl.

#include "framework/qt/qt_platform.hpp"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFont>
#include <QTimer>

#include <xcb/xcb.h>

#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_platform_impl.hpp"
#include "framework/qt/qt_translations.hpp"

namespace framework {

// ---------------------------------------------------------------------------------------------
// Life: the application, the event loop
// ---------------------------------------------------------------------------------------------

QtPlatform::Impl::Impl(int& argc, char** argv) {
  if (QApplication::instance() == nullptr) m_application = std::make_unique<QApplication>(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The windows are written in Japanese; a default font without Japanese glyphs would leave the
  // choice of a fallback to chance, character by character.
  const QFont font = QApplication::font();
  const QFont japanese = qt::JapaneseCapableFont(font);
  if (!(japanese == font)) QApplication::setFont(japanese);
  // Qt's own texts too, such as the context menu of a text field; where the translation is not
  // installed they stay English.
  qt::InstallQtJapanese(qt::QtTranslationsFolder());
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
// Lookups
// ---------------------------------------------------------------------------------------------

qt::WindowView* QtPlatform::Impl::FindWindow(const Window* key) const {
  for (const auto& view : windows) {
    if (view->key == key && view->window.lock().get() == key && view->top) return view.get();
  }
  return nullptr;
}

std::pair<qt::WindowView*, qt::ControlView*> QtPlatform::Impl::FindControl(const Control& control) const {
  for (const auto& view : windows) {
    const auto found = view->controls.find(&control);
    if (found != view->controls.end() && found->second.control.lock().get() == &control) {
      return {view.get(), &found->second};
    }
  }
  return {nullptr, nullptr};
}

QAction* QtPlatform::Impl::FindAction(const qt::WindowView& view, const MenuItem& item) const {
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
  if (qt::WindowView* view = m_impl->FindWindow(window)) m_impl->SyncWindow(*view, window);
}

void QtPlatform::ControlChanged(Control& control) { m_impl->ControlChanged(control); }

void QtPlatform::RepaintRequested(Canvas& canvas) { m_impl->Repaint(canvas); }

void QtPlatform::TimerChanged(Timer& timer) { m_impl->SyncTimer(timer); }

void QtPlatform::StandardMenuAction(MenuItem& item) { m_impl->StandardMenuAction(item); }

void QtPlatform::Run() { m_impl->Run(); }

void QtPlatform::Quit() { m_impl->Quit(); }

QWidget* QtPlatform::WindowWidgetFor(const Window& window) const {
  qt::WindowView* view = m_impl->FindWindow(window);
  return view != nullptr ? view->top.data() : nullptr;
}

QWidget* QtPlatform::ContentWidgetFor(const Window& window) const {
  qt::WindowView* view = m_impl->FindWindow(window);
  return view != nullptr ? view->content.data() : nullptr;
}

QWidget* QtPlatform::WidgetFor(const Control& control) const {
  auto [window_view, control_view] = m_impl->FindControl(control);
  return control_view != nullptr ? control_view->widget.data() : nullptr;
}

QAction* QtPlatform::ActionFor(const Window& window, const MenuItem& item) const {
  qt::WindowView* view = m_impl->FindWindow(window);
  return view != nullptr ? m_impl->FindAction(*view, item) : nullptr;
}

QAction* QtPlatform::ActionFor(const MenuItem& item) const {
  for (const auto& view : m_impl->windows) {
    if (QAction* action = m_impl->FindAction(*view, item)) return action;
  }
  return nullptr;
}

QTimer* QtPlatform::TimerFor(const Timer& timer) const { return m_impl->FindTimer(timer); }

void QtPlatform::SetTimerClock(Clock clock) { m_impl->timer_clock = std::move(clock); }

}  // namespace framework
