#include "framework/runtime.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/application.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/property_kinds.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/window.hpp"
#include "model_test_support.hpp"

namespace {

using framework::HeadlessPlatform;
using framework::NilObjectException;
using framework::RuntimeException;
using model_test::HeadlessRun;

// A window class of its own name, shown by its construction like every window of the program.
template <const char* kClassName>
class NamedWindow : public framework::Window {
 public:
  std::string_view ClassName() const override { return kClassName; }

 protected:
  void Layout() override { SetProperty("Visible", true); }
};

constexpr char kFirstClass[] = "First.First";
constexpr char kSecondClass[] = "Second.Second";
using FirstWindow = NamedWindow<kFirstClass>;
using SecondWindow = NamedWindow<kSecondClass>;

// Remembers which windows the runtime closed.
class ClosingPlatform : public HeadlessPlatform {
 public:
  void WindowClosed(framework::Window& window) override {
    closed.emplace_back(window.ClassName());
    HeadlessPlatform::WindowClosed(window);
  }
  std::vector<std::string> closed;
};

using RuntimeLife = HeadlessRun;

TEST_F(RuntimeLife, StartsOnThePlatformWithTheFrameworkClassesFirst) {
  EXPECT_TRUE(framework::RuntimeIsRunning());
  EXPECT_EQ(&framework::CurrentPlatform(), &platform);
  EXPECT_THROW(framework::RuntimeInit(platform), RuntimeException);

  const std::size_t framework_classes = framework::RegisteredClasses().size();
  ASSERT_GT(framework_classes, 0u);
  framework::RuntimeRegisterClass("App");
  framework::RuntimeRegisterClass("MainWindow");
  EXPECT_THROW(framework::RuntimeRegisterClass("App"), RuntimeException);
  const auto& classes = framework::RegisteredClasses();
  ASSERT_EQ(classes.size(), framework_classes + 2);
  EXPECT_EQ(classes[framework_classes], "App");
  EXPECT_EQ(classes[framework_classes + 1], "MainWindow");

  framework::RuntimeInitExternalClasses();
  EXPECT_THROW(framework::RuntimeInitExternalClasses(), RuntimeException);
  EXPECT_EQ(framework::RegisteredClasses().size(), framework_classes + 2);
}

// The framework's classes are listed by hand; a kind of control added later must not be missed.
TEST_F(RuntimeLife, EveryKindOfWindowOrControlIsAFrameworkClass) {
  const auto& classes = framework::RegisteredClasses();
  std::vector<std::string_view> missing;
  for (const framework::PropertyKind* kind : framework::kinds::kAll) {
    if (std::find(classes.begin(), classes.end(), kind->Name()) == classes.end()) missing.push_back(kind->Name());
  }
  EXPECT_EQ(missing, std::vector<std::string_view>{});
}

TEST(RuntimeLifeEnded, ForgetsEverythingOfTheRun) {
  HeadlessPlatform platform;
  framework::RuntimeInit(platform);
  framework::RuntimeRegisterClass("App");
  framework::RuntimeRegisterAppObject(std::make_shared<framework::Application>());
  EXPECT_EQ(framework::RuntimeExit(), 0);

  EXPECT_FALSE(framework::RuntimeIsRunning());
  EXPECT_THROW(framework::CurrentPlatform(), NilObjectException);
  EXPECT_THROW(framework::RuntimeExit(), RuntimeException);
  EXPECT_TRUE(framework::RegisteredClasses().empty());
  EXPECT_EQ(framework::App(), nullptr);

  // A second run in the same process registers the same class again without complaint.
  framework::RuntimeInit(platform);
  framework::RuntimeRegisterClass("App");
  EXPECT_EQ(framework::RuntimeExit(), 0);
}

TEST_F(RuntimeLife, InitialisationRunsTheStartUpOnce) {
  int runs = 0;
  framework::RunFrameworkInitialization([&runs] {
    ++runs;
    // Asking again from inside the start-up is refused as well.
    EXPECT_THROW(framework::RunFrameworkInitialization([] { return 0; }), RuntimeException);
    return 0;
  });
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(framework::RunFrameworkInitialization([&runs] { return ++runs; }), RuntimeException);
  EXPECT_EQ(runs, 1);
}

TEST_F(RuntimeLife, AnExceptionOfTheStartUpReachesTheCaller) {
  EXPECT_THROW(framework::RunFrameworkInitialization([]() -> std::int32_t { throw NilObjectException("x"); }),
               NilObjectException);
  EXPECT_EQ(framework::UnhandledExceptionCount(), 0);
}

TEST(RuntimeExitStatus, IsTheQuitStatusUnlessSomethingFailed) {
  struct Row {
    const char* what;
    bool quit;
    std::int32_t quit_status;
    int unhandled;
    std::int32_t expected;
  };
  const Row rows[] = {
      {"no quit", false, 0, 0, 0},
      {"quit 0", true, 0, 0, 0},
      {"quit 3", true, 3, 0, 3},
      {"unhandled, no quit", false, 0, 1, 1},
      {"unhandled, then quit 0", true, 0, 2, 1},
      {"unhandled, then quit 2", true, 2, 1, 2},
  };
  for (const Row& row : rows) {
    HeadlessPlatform platform;
    framework::RuntimeInit(platform);
    testing::internal::CaptureStderr();
    for (int i = 0; i < row.unhandled; ++i) {
      framework::UnhandledException(std::make_exception_ptr(std::runtime_error("failure")));
    }
    testing::internal::GetCapturedStderr();
    if (row.quit) {
      framework::Quit(row.quit_status);
      EXPECT_TRUE(platform.QuitCalled()) << row.what;
      EXPECT_TRUE(framework::QuitRequested()) << row.what;
    }
    EXPECT_EQ(framework::UnhandledExceptionCount(), row.unhandled) << row.what;
    EXPECT_EQ(framework::RuntimeExit(), row.expected) << row.what;
  }
}

TEST_F(RuntimeLife, UnhandledExceptionWritesADiagnosticNamingTheClass) {
  testing::internal::CaptureStderr();
  framework::UnhandledException(std::make_exception_ptr(NilObjectException("no control named cOrbit")));
  const std::string written = testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("Quillorn: unhandled exception"), std::string::npos) << written;
  EXPECT_NE(written.find("NilObjectException"), std::string::npos) << written;
  EXPECT_NE(written.find("no control named cOrbit"), std::string::npos) << written;
  EXPECT_EQ(framework::UnhandledExceptionCount(), 1);
}

TEST_F(RuntimeLife, AHandlerThatThrowsEndsButTheRunGoesOn) {
  std::vector<int> ran;
  platform.Post([&ran] { ran.push_back(1); });
  platform.Post([&ran] {
    ran.push_back(2);
    throw NilObjectException("lost control");
  });
  platform.Post([&ran] {
    ran.push_back(3);
    throw std::logic_error("not one of the framework's own");
  });
  platform.Post([&ran] {
    ran.push_back(4);
    framework::Quit(0);
  });
  platform.Post([&ran] { ran.push_back(5); });

  testing::internal::CaptureStderr();
  framework::RuntimeRun();
  const std::string written = testing::internal::GetCapturedStderr();

  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(framework::UnhandledExceptionCount(), 2);
  EXPECT_NE(written.find("lost control"), std::string::npos) << written;
  EXPECT_NE(written.find("not one of the framework's own"), std::string::npos) << written;
  EXPECT_EQ(framework::RuntimeExit(), 1);
}

TEST_F(RuntimeLife, HandlersRunThroughTheInstalledHelper) {
  // The default helper hands back the framework's exceptions and lets others pass.
  EXPECT_EQ(framework::CallFunctionWithExceptionHandling([] {}), nullptr);
  EXPECT_NE(framework::CallFunctionWithExceptionHandling([] { throw RuntimeException("x"); }), nullptr);
  EXPECT_THROW(framework::CallFunctionWithExceptionHandling([] { throw std::logic_error("x"); }),
               std::logic_error);

  int helper_calls = 0;
  framework::RuntimeSetExceptionHelper([&helper_calls](const std::function<void()>& function) {
    ++helper_calls;
    function();
    return std::exception_ptr{};
  });
  int handler_calls = 0;
  framework::RunHandler([&handler_calls] { ++handler_calls; });
  EXPECT_EQ(helper_calls, 1);
  EXPECT_EQ(handler_calls, 1);

  // An empty helper puts the default back: the exception is handled and counted.
  framework::RuntimeSetExceptionHelper({});
  testing::internal::CaptureStderr();
  framework::RunHandler([] { throw RuntimeException("after the reset"); });
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(helper_calls, 1);
  EXPECT_EQ(framework::UnhandledExceptionCount(), 1);
}

TEST_F(RuntimeLife, TheApplicationObjectIsRegisteredOnceAndReleasedAtShutDown) {
  auto application = std::make_shared<framework::Application>();
  std::weak_ptr<framework::Application> watch = application;
  framework::RuntimeRegisterAppObject(application);
  EXPECT_EQ(framework::App(), application);
  EXPECT_THROW(framework::RuntimeRegisterAppObject(std::make_shared<framework::Application>()), RuntimeException);
  EXPECT_THROW(framework::RuntimeRegisterAppObject(nullptr), NilObjectException);
  application.reset();

  framework::ReleaseWindows();
  EXPECT_EQ(framework::App(), nullptr);
  EXPECT_TRUE(watch.expired());
}

using ImplicitWindows = HeadlessRun;

TEST_F(ImplicitWindows, AreFoundByClassNameWhileOpenAndMadeAnewAfterAClose) {
  EXPECT_EQ(framework::GetImplicitWindow(kFirstClass), nullptr);

  auto first = framework::ImplicitWindow<FirstWindow>(kFirstClass);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->IsShown());
  EXPECT_EQ(framework::GetImplicitWindow(kFirstClass), first);
  EXPECT_EQ(framework::ImplicitWindow<FirstWindow>(kFirstClass), first);
  EXPECT_EQ(framework::GetImplicitWindow(kSecondClass), nullptr);

  auto second = framework::ImplicitWindow<SecondWindow>(kSecondClass);
  EXPECT_EQ(framework::OpenWindows(), (std::vector<std::shared_ptr<framework::Window>>{first, second}));
  // The registry is keyed by the class-name string: another class under it is a failed cast.
  EXPECT_THROW(framework::ImplicitWindow<SecondWindow>(kFirstClass), framework::IllegalCastException);

  first->Close();
  EXPECT_EQ(framework::GetImplicitWindow(kFirstClass), nullptr);
  auto again = framework::ImplicitWindow<FirstWindow>(kFirstClass);
  EXPECT_NE(again, first);
  EXPECT_EQ(framework::OpenWindows(), (std::vector<std::shared_ptr<framework::Window>>{second, again}));
}

TEST(ImplicitWindowsShutDown, ReleaseClosesTheShownViewsAndDropsTheWindows) {
  ClosingPlatform platform;
  framework::RuntimeInit(platform);
  std::weak_ptr<framework::Window> first = framework::ImplicitWindow<FirstWindow>(kFirstClass);
  std::weak_ptr<framework::Window> second = framework::ImplicitWindow<SecondWindow>(kSecondClass);
  EXPECT_FALSE(first.expired());

  framework::ReleaseWindows();
  EXPECT_EQ(platform.closed, (std::vector<std::string>{kFirstClass, kSecondClass}));
  EXPECT_TRUE(framework::OpenWindows().empty());
  EXPECT_TRUE(first.expired());
  EXPECT_TRUE(second.expired());

  // RuntimeExit does the same for a window that is still open when the run ends.
  platform.closed.clear();
  std::weak_ptr<framework::Window> late = framework::ImplicitWindow<FirstWindow>(kFirstClass);
  EXPECT_EQ(framework::RuntimeExit(), 0);
  EXPECT_EQ(platform.closed, (std::vector<std::string>{kFirstClass}));
  EXPECT_TRUE(late.expired());
}

}  // namespace
