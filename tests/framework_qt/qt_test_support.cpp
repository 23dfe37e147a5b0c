#include "qt_test_support.hpp"

#include <cstdlib>
#include <limits>

#include <QCoreApplication>
#include <QEvent>
#include <QtGlobal>

#include "framework/runtime_exception.hpp"

namespace qt_test {

namespace {

// The offscreen platform says so each time a window is raised; nothing to learn from in a test log.
QtMessageHandler g_default_handler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (g_default_handler != nullptr) g_default_handler(type, context, message);
}

// One QApplication per process: Qt allows no second one, so the platform that owns it lives
// from the first test to the last.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    // The tests must not depend on a desktop being there, nor open windows on one.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    g_default_handler = qInstallMessageHandler(QuietHandler);
    m_platform = std::make_unique<framework::QtPlatform>(m_argc, m_argv);
  }
  void TearDown() override { m_platform.reset(); }

  framework::QtPlatform& Platform() {
    if (!m_platform) throw std::logic_error("the Qt platform exists only while tests run");
    return *m_platform;
  }

 private:
  int m_argc = 1;
  char m_name[19] = "framework_qt_tests";
  char* m_argv[2] = {m_name, nullptr};
  std::unique_ptr<framework::QtPlatform> m_platform;
};

QtEnvironment* const g_environment =
    static_cast<QtEnvironment*>(::testing::AddGlobalTestEnvironment(new QtEnvironment));

}  // namespace

framework::QtPlatform& Platform() { return g_environment->Platform(); }

void ProcessEvents() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtRun::SetUp() { framework::RuntimeInit(platform); }

void QtRun::TearDown() {
  if (framework::RuntimeIsRunning()) framework::RuntimeExit();
  ProcessEvents();
}

void TestWindow::ThrowingAction(framework::PushButton& sender) {
  actions.push_back("throwing " + sender.Name());
  throw framework::RuntimeException("a handler failed on purpose");
}

std::shared_ptr<TestWindow> MakeWindow(std::function<void(TestWindow&)> create_controls,
                                       std::string_view window_properties) {
  auto window = std::make_shared<TestWindow>();
  const std::string properties(window_properties);
  window->on_layout = [properties](TestWindow& self) { framework::SetProperties(self, properties); };
  window->on_create_controls = std::move(create_controls);
  window->Constructor();
  return window;
}

std::string WindowString(const WindowLook& look) {
  return framework::PropertyStringWriter()
      .Int32("Width", look.width)
      .Int32("Height", look.height)
      .Int32("MinWidth", look.min_width)
      .Int32("MinHeight", look.min_height)
      .Int32("MaxWidth", look.max_width)
      .Int32("MaxHeight", look.max_height)
      .String("Title", look.title)
      .Boolean("Visible", look.visible)
      .Boolean("Resizeable", look.resizeable)
      .Boolean("MaximizeButton", look.maximize_button)
      .Boolean("MinimizeButton", look.minimize_button)
      .Bytes();
}

framework::PropertyStringWriter Placed(std::string_view name, std::int32_t left, std::int32_t top,
                                       std::int32_t width, std::int32_t height, std::string_view locks) {
  const auto locked = [locks](char edge) { return locks.find(edge) != std::string_view::npos; };
  framework::PropertyStringWriter writer;
  writer.String("Name", name)
      .Int32("Index", std::numeric_limits<std::int32_t>::min())
      .Int32("Left", left)
      .Int32("Top", top)
      .Int32("Width", width)
      .Int32("Height", height)
      .Boolean("LockLeft", locked('L'))
      .Boolean("LockTop", locked('T'))
      .Boolean("LockRight", locked('R'))
      .Boolean("LockBottom", locked('B'));
  return writer;
}

framework::PropertyStringWriter EccentricitySlider(std::int32_t left, std::int32_t top) {
  return Placed("slE", left, top, 200, 23)
      .Int32("Minimum", 0)
      .Int32("Value", 99)
      .Int32("Maximum", 999)
      .Int32("LineStep", 1)
      .Int32("PageStep", 10);
}

QImage GrabContent(const framework::Window& window) {
  QWidget* content = Platform().ContentWidgetFor(window);
  if (content == nullptr) return QImage();
  return content->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace qt_test
