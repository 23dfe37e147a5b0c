// Windows: the construction sequence, lookups and casts, showing and closing, Return and Escape.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls.hpp"
#include "framework/delegate.hpp"
#include "framework/property_string.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "model_test_support.hpp"

namespace {

using framework::PropertyStringWriter;
using model_test::AddControl;
using model_test::ModelTest;
using model_test::TestWindow;

using Windows = ModelTest;

// A window whose events, and the platform's calls, land in the platform's log.
std::shared_ptr<TestWindow> LoggedWindow(model_test::LoggingPlatform& platform, bool visible) {
  auto window = std::make_shared<TestWindow>();
  window->log = &platform.log;
  window->on_layout = [visible](TestWindow& w) {
    framework::SetProperties(w, model_test::WindowString(200, 100, visible, "T"));
  };
  return window;
}

TEST_F(Windows, ConstructionRunsLayoutThenControlsThenShowsThenOpens) {
  auto window = LoggedWindow(platform, true);
  window->on_create_controls = [&log = platform.log](TestWindow& w) {
    for (const char* name : {"a", "b", "c"}) {
      AddControl<framework::Label>(w, name);
      // Already registered: a reference made during construction finds the window.
      log.push_back(std::string("made ") + name +
                    (framework::GetImplicitWindow(w.ClassName()) ? " (open)" : ""));
    }
  };
  window->on_open = [&log = platform.log](TestWindow& w) {
    log.push_back("controls at Open: " + std::to_string(w.ControlCount()) + (w.IsShown() ? ", shown" : ""));
  };
  window->Constructor();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Layout", "CreateControls", "made a (open)",
                                                    "made b (open)", "made c (open)", "WindowShown T", "Open",
                                                    "controls at Open: 3, shown"}));
  EXPECT_EQ(window->DesignWidth(), 200);
  EXPECT_EQ(window->DesignHeight(), 100);
  EXPECT_THROW(window->Constructor(), framework::RuntimeException);
}

TEST_F(Windows, AWindowWhoseStringLeavesItInvisibleWaitsForShow) {
  auto window = LoggedWindow(platform, false);
  window->Constructor();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Layout", "CreateControls", "Open"}));
  EXPECT_TRUE(window->IsOpen());
  EXPECT_FALSE(window->IsShown());

  platform.log.clear();
  window->Show();
  window->Show();  // again: brought to the front
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(platform.log, (std::vector<std::string>{"WindowShown T", "WindowShown T"}));

  platform.log.clear();
  window->SetProperty("Visible", false);
  EXPECT_FALSE(window->IsShown());
  window->SetProperty("Title", std::string("hidden"));  // the platform hears nothing of a hidden window
  EXPECT_EQ(platform.log, (std::vector<std::string>{"WindowChanged T"}));
}

TEST_F(Windows, AFailedConstructionLeavesNoOpenWindow) {
  auto window = LoggedWindow(platform, true);
  window->on_create_controls = [](TestWindow& w) {
    AddControl<framework::Label>(w, "a");
    AddControl<framework::Label>(w, "a");
  };
  EXPECT_THROW(window->Constructor(), framework::RuntimeException);
  EXPECT_FALSE(window->IsOpen());
  EXPECT_EQ(framework::GetImplicitWindow(window->ClassName()), nullptr);
  EXPECT_EQ(platform.Count("Open"), 0u);
}

TEST_F(Windows, LookupsAndCastsThatFindNothingRaiseNamingWhatWasSought) {
  auto window = LoggedWindow(platform, true);
  window->Constructor();
  AddControl<framework::Label>(*window, "lE");
  try {
    window->ControlByName("lMissing");
    FAIL() << "a missing control was found";
  } catch (const framework::NilObjectException& error) {
    EXPECT_NE(std::string(error.what()).find("TestWindow.TestWindow"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("\"lMissing\""), std::string::npos) << error.what();
  }
  EXPECT_THROW(window->ControlPointer("lMissing"), framework::NilObjectException);
  EXPECT_THROW(window->AddControl("lNone", nullptr), framework::NilObjectException);

  try {
    framework::RuntimeCheckCast<framework::Slider>(window->ControlByName("lE"));
    FAIL() << "a label was cast to a slider";
  } catch (const framework::IllegalCastException& error) {
    EXPECT_NE(std::string(error.what()).find("framework::Label"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("framework::Slider"), std::string::npos) << error.what();
  }
  std::shared_ptr<framework::Control> none;
  EXPECT_THROW(framework::RuntimeCheckCast<framework::Label>(none), framework::NilObjectException);

  // A control whose window has gone says so instead of handing out a dangling window.
  auto label = window->ControlPointer("lE");
  window->Close();
  framework::ReleaseWindows();
  window.reset();
  EXPECT_EQ(label->WindowOrNull(), nullptr);
  EXPECT_THROW(label->Window(), framework::NilObjectException);
}

TEST_F(Windows, CloseRaisesCloseThenTheWindowLeavesTheOpenWindowsOnce) {
  auto window = LoggedWindow(platform, true);
  window->Constructor();
  window->on_close = [](TestWindow& w) { w.Close(); };  // a Close handler that closes again
  platform.log.clear();
  window->Close();
  window->Close();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Close", "WindowClosed T"}));
  EXPECT_FALSE(window->IsOpen());
  EXPECT_FALSE(window->IsShown());
  EXPECT_EQ(framework::GetImplicitWindow(window->ClassName()), nullptr);
  EXPECT_THROW(window->Show(), framework::RuntimeException);
  window->Resize(300, 300);
  EXPECT_EQ(window->Width(), 200);
}

TEST_F(Windows, AWindowWithoutACloseButtonStaysOpen) {
  auto window = LoggedWindow(platform, true);
  window->on_layout = [](TestWindow& w) {
    framework::SetProperties(w, model_test::WindowString(200, 100, true, "T") +
                                    PropertyStringWriter().Boolean("CloseButton", false).Bytes());
  };
  window->Constructor();
  platform.log.clear();
  window->Close();
  EXPECT_TRUE(platform.log.empty());
  EXPECT_TRUE(window->IsOpen());
  EXPECT_TRUE(window->IsShown());
}

// A hidden window's close reaches the platform too, which holds its timers.
TEST_F(Windows, AHiddenWindowsCloseReachesThePlatform) {
  auto window = LoggedWindow(platform, false);
  window->Constructor();
  platform.log.clear();
  window->Close();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Close", "WindowClosed T"}));
}

TEST_F(Windows, AnExceptionInAWindowEventGoesToTheDefaultHandlingAndTheRunGoesOn) {
  auto window = LoggedWindow(platform, true);
  window->on_open = [](TestWindow&) { throw framework::NilObjectException("from Open"); };
  window->on_resizing = [](TestWindow&) { throw std::runtime_error("from Resizing"); };
  window->Constructor();
  window->Resize(300, 150);
  EXPECT_TRUE(window->IsOpen());
  EXPECT_EQ(window->Width(), 300);
  EXPECT_EQ(framework::UnhandledExceptionCount(), 2);
  EXPECT_EQ(framework::RuntimeExit(), 1);
}

TEST_F(Windows, ReturnPressesTheFirstEnabledDefaultButtonAndEscapeOnlyTheFirstCancelButton) {
  auto window = LoggedWindow(platform, true);
  window->Constructor();
  const auto button = [&](const char* name, bool is_default, bool cancel, bool enabled) {
    auto& b = AddControl<framework::PushButton>(*window, name,
                                                PropertyStringWriter()
                                                    .Boolean("Default", is_default)
                                                    .Boolean("Cancel", cancel)
                                                    .Boolean("Enabled", enabled)
                                                    .Bytes());
    framework::RuntimeAddEventHandler(
        b, "Action", framework::RuntimeCreateDelegate(window, &TestWindow::ButtonAction, "( PushButton )"));
    return &b;
  };
  // As in the main window: the stop button is disabled at first, the single-step button is not.
  auto* go = button("pGo", true, false, true);
  auto* stop = button("pStop", false, true, false);
  button("pKomaokuri", false, true, true);
  auto* spare = button("pSpare", true, false, true);
  platform.log.clear();
  window->PressReturn();
  window->PressEscape();  // pStop is disabled: Escape never reaches pKomaokuri
  stop->SetEnabled(true);
  window->PressEscape();
  go->SetEnabled(false);
  window->PressReturn();  // Return goes on to the next default button that takes it
  spare->SetEnabled(false);
  window->PressReturn();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Action pGo", "ControlChanged pStop", "Action pStop",
                                                    "ControlChanged pGo", "Action pSpare", "ControlChanged pSpare"}));
}

}  // namespace
