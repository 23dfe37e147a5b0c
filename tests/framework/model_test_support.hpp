#pragma once

// Support for the tests of the window and control model: a platform that writes down what it is
// told, fixtures that run the runtime on it or on the headless platform, and a window whose hooks
// the test supplies.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls.hpp"
#include "framework/delegate.hpp"
#include "framework/graphics.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/platform.hpp"
#include "framework/property_holder.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/timer.hpp"
#include "framework/window.hpp"

namespace model_test {

// Every call, as "WindowShown <title>", "ControlChanged <name>", "TimerChanged <name>", ..., in
// order; windows and controls log into the same list, so tests can check the order of both.
class LoggingPlatform : public framework::Platform {
 public:
  std::vector<std::string> log;

  std::size_t Count(std::string_view entry) const {
    std::size_t n = 0;
    for (const auto& line : log) n += line == entry ? 1 : 0;
    return n;
  }

  void WindowShown(framework::Window& window) override { log.push_back("WindowShown " + window.Title()); }
  void WindowClosed(framework::Window& window) override { log.push_back("WindowClosed " + window.Title()); }
  void WindowChanged(framework::Window& window) override { log.push_back("WindowChanged " + window.Title()); }
  void ControlChanged(framework::Control& control) override {
    log.push_back("ControlChanged " + control.Name());
  }
  void RepaintRequested(framework::Canvas& canvas) override {
    log.push_back("RepaintRequested " + canvas.Name());
  }
  void TimerChanged(framework::Timer& timer) override { log.push_back("TimerChanged " + timer.Name()); }
  void StandardMenuAction(framework::MenuItem&) override { log.push_back("StandardMenuAction"); }
  void Run() override {}
  void Quit() override {}
};

// The runtime is started on `platform` before the test and ended after it, so every test starts
// from a fresh runtime even when an assertion stopped it halfway.
template <class P>
class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override { framework::RuntimeInit(platform); }
  void TearDown() override {
    if (framework::RuntimeIsRunning()) framework::RuntimeExit();
  }

  P platform;
};

using ModelTest = RuntimeTest<LoggingPlatform>;
using HeadlessRun = RuntimeTest<framework::HeadlessPlatform>;

// A window whose hooks and events are the test's. The events also write to `log`.
class TestWindow : public framework::Window {
 public:
  std::string_view ClassName() const override { return "TestWindow.TestWindow"; }

  std::function<void(TestWindow&)> on_layout;
  std::function<void(TestWindow&)> on_create_controls;
  std::function<void(TestWindow&)> on_open;
  std::function<void(TestWindow&)> on_close;
  std::function<void(TestWindow&)> on_resizing;
  std::vector<std::string>* log = nullptr;

  // Handlers to bind to control events.
  void ButtonAction(framework::PushButton& sender) { Write("Action " + sender.Name()); }
  void SliderValueChanged(framework::Slider& sender) {
    Write("ValueChanged " + sender.Name() + " " + std::to_string(sender.Value()));
  }
  void CheckBoxAction(framework::CheckBox& sender) {
    Write("Action " + sender.Name() + " " + std::to_string(sender.State()));
  }
  void TimerAction(framework::Timer& sender) { Write("Action " + sender.Name()); }
  void ThrowingAction(framework::PushButton& sender) {
    Write("Throwing " + sender.Name());
    throw framework::RuntimeException("a handler failed");
  }
  // Writes whether it draws on the canvas's own surface, and how many areas it was given.
  void CanvasPaint(framework::Canvas& sender, framework::Graphics& graphics,
                   const std::vector<framework::Rect>& areas) {
    Write("Paint " + sender.Name() + (&sender.Graphics() == &graphics ? " on its surface" : " elsewhere") +
          ", " + std::to_string(areas.size()) + " areas");
  }

  void Write(const std::string& entry) {
    if (log != nullptr) log->push_back(entry);
  }

 protected:
  void Layout() override { Run("Layout", on_layout); }
  void CreateControls() override { Run("CreateControls", on_create_controls); }
  void Event_Open() override { Run("Open", on_open); }
  void Event_Close() override { Run("Close", on_close); }
  void Event_Resizing() override { Run("Resizing", on_resizing); }

 private:
  void Run(const char* entry, const std::function<void(TestWindow&)>& hook) {
    Write(entry);
    if (hook) hook(*this);
  }
};

// The creation sequence the program's windows run for one control: create, add under its name,
// apply its property string.
template <class C>
C& AddControl(framework::Window& window, std::string_view name, std::string_view properties = {}) {
  window.AddControl(name, window.New<C>());
  auto& control = framework::RuntimeCheckCast<C>(window.ControlByName(name));
  if (!properties.empty()) framework::SetProperties(control, properties);
  return control;
}

// A window string with the given size and visibility; the rest as a desktop window has it.
inline std::string WindowString(std::int32_t width, std::int32_t height, bool visible,
                                std::string_view title = "W", std::int32_t min_width = 64,
                                std::int32_t min_height = 64) {
  return framework::PropertyStringWriter()
      .Int32("Width", width)
      .Int32("Height", height)
      .Int32("MinWidth", min_width)
      .Int32("MinHeight", min_height)
      .String("Title", title)
      .Boolean("Visible", visible)
      .Bytes();
}

// A window constructed and shown before the test; its events and bound handlers write to `log`,
// which starts empty, as does the platform's.
class ShownWindowTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    window = std::make_shared<TestWindow>();
    window->log = &log;
    window->on_layout = [this](TestWindow& w) { framework::SetProperties(w, WindowProperties()); };
    window->on_create_controls = [this](TestWindow& w) { CreateControls(w); };
    window->Constructor();
    log.clear();
    platform.log.clear();
  }

  // The window's property string, and the controls it is constructed with.
  virtual std::string WindowProperties() const { return WindowString(300, 200, true); }
  virtual void CreateControls(TestWindow&) {}

  // Binds the window's `handler` to `event` of `control`.
  template <class Handler>
  void Bind(framework::Control& control, std::string_view event, Handler handler, std::string signature) {
    framework::RuntimeAddEventHandler(control, event,
                                      framework::RuntimeCreateDelegate(window, handler, std::move(signature)));
  }

  std::shared_ptr<TestWindow> window;
  std::vector<std::string> log;
};

}  // namespace model_test
