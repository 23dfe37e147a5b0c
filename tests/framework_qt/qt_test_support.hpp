#pragma once

// Support for the tests of the Qt platform: one QtPlatform (and so one QApplication) for the
// whole test process on the offscreen platform, a fixture that runs the runtime on it, and a
// window whose hooks and handlers the test supplies.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QWidget>

#include "framework/controls.hpp"
#include "framework/graphics.hpp"
#include "framework/object2d.hpp"
#include "framework/property_holder.hpp"
#include "framework/qt/qt_graphics.hpp"
#include "framework/qt/qt_platform.hpp"
#include "framework/runtime.hpp"
#include "framework/timer.hpp"
#include "framework/window.hpp"

namespace qt_test {

// The process's platform; it exists while tests run.
framework::QtPlatform& Platform();

// Runs the runtime on the Qt platform for one test; windows still open at the end close, and
// Qt deletes their widgets before the next test starts.
class QtRun : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  framework::QtPlatform& platform = Platform();
};

// Lets Qt deliver what is pending, including the deletion of widgets of closed windows.
void ProcessEvents();

// A window whose hooks the test supplies; its handlers count what they were given.
class TestWindow : public framework::Window {
 public:
  std::string_view ClassName() const override { return "TestWindow.TestWindow"; }

  std::function<void(TestWindow&)> on_layout;
  std::function<void(TestWindow&)> on_create_controls;
  std::function<void(TestWindow&)> on_close;

  // What the handlers saw.
  std::vector<std::string> actions;
  std::vector<std::int32_t> slider_values;
  std::int32_t paints = 0;
  std::int32_t ticks = 0;
  // What the Paint handler draws.
  std::shared_ptr<framework::Group2D> shapes = std::make_shared<framework::Group2D>();

  void ButtonAction(framework::PushButton& sender) { actions.push_back(sender.Name()); }
  void ThrowingAction(framework::PushButton& sender);
  void CheckBoxAction(framework::CheckBox& sender) {
    actions.push_back(sender.Name() + (sender.Value() ? " on" : " off"));
  }
  void SliderValueChanged(framework::Slider& sender) { slider_values.push_back(sender.Value()); }
  void TimerAction(framework::Timer&) { ++ticks; }
  void CanvasPaint(framework::Canvas&, framework::Graphics& graphics, const std::vector<framework::Rect>&) {
    ++paints;
    graphics.DrawObject(*shapes);
  }

  std::shared_ptr<TestWindow> Self() { return std::static_pointer_cast<TestWindow>(shared_from_this()); }

 protected:
  void Layout() override {
    if (on_layout) on_layout(*this);
  }
  void CreateControls() override {
    if (on_create_controls) on_create_controls(*this);
  }
  void Event_Close() override {
    actions.push_back("Close");
    if (on_close) on_close(*this);
  }
};

// Makes and constructs a test window (shown if its string says Visible).
std::shared_ptr<TestWindow> MakeWindow(std::function<void(TestWindow&)> create_controls,
                                       std::string_view window_properties);

// A window string: size, title, visible, with the given limits and buttons.
struct WindowLook {
  std::int32_t width = 300;
  std::int32_t height = 200;
  std::string title = "Test";
  std::int32_t min_width = 64;
  std::int32_t min_height = 64;
  std::int32_t max_width = 32000;
  std::int32_t max_height = 32000;
  bool resizeable = true;
  bool maximize_button = false;
  bool minimize_button = true;
  bool visible = true;
};
std::string WindowString(const WindowLook& look);

// The head of a control's string as the program's layouts write it: name, geometry and locks
// (L, T, R, B as letters).
framework::PropertyStringWriter Placed(std::string_view name, std::int32_t left, std::int32_t top,
                                       std::int32_t width, std::int32_t height, std::string_view locks = "LT");

// A slider "slE" like the main window's eccentricity slider: 0 to 999 at 99, steps of 1 and 10.
framework::PropertyStringWriter EccentricitySlider(std::int32_t left, std::int32_t top);

// Creates a control of class C in `window` under `name` and applies `properties`.
template <class C>
C& Add(framework::Window& window, std::string_view name, const std::string& properties) {
  window.AddControl(name, window.New<C>());
  auto& control = framework::RuntimeCheckCast<C>(window.ControlByName(name));
  framework::SetProperties(control, properties);
  return control;
}

// The widget that shows `control`, as Qt class W; null if there is none or it is of another class.
template <class W>
W* WidgetOf(const framework::Control& control) {
  return qobject_cast<W*>(Platform().WidgetFor(control));
}

// The window's content area as an image.
QImage GrabContent(const framework::Window& window);

// `shape` painted by a surface of class G on a white image of `size` in `format`.
template <class G = framework::QtGraphics>
QImage PaintOnWhite(const framework::Object2D& shape, QSize size, QImage::Format format) {
  QImage image(size, format);
  image.fill(Qt::white);
  QPainter painter(&image);
  {
    G graphics(painter);
    graphics.DrawObject(shape);
  }
  painter.end();
  return image;
}

}  // namespace qt_test
