// The start-up and shut-down of the program: what exists in which order, and how a run ends.

#include "app/program.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app.hpp"
#include "app/implicit_instance.hpp"
#include "framework/application.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/runtime.hpp"
#include "orbit_window/main_window_timer1.hpp"
#include "started_program.hpp"

namespace {

TEST(StartUp, RegistersTheProgramsClassesAfterTheFrameworksInOrder) {
  framework::HeadlessPlatform platform;
  std::vector<std::string> classes;
  RunProgram(platform, [&] { classes = framework::RegisteredClasses(); });

  const std::vector<std::string> program = {"App.App",           "MainWindow.MainWindow", "MainWindow.Timer1",
                                            "MenuBar1.MenuBar1", "Caliculate.Caliculate", "Keplar.Keplar"};
  ASSERT_GT(classes.size(), program.size());
  EXPECT_EQ(std::vector<std::string>(classes.end() - 6, classes.end()), program);
  EXPECT_EQ(classes.front(), "Application");  // the framework's own come first
}

// The runtime alone, so that a test can take the start-up apart step by step.
class StartUpSteps : public testing::Test {
 protected:
  void SetUp() override { framework::RuntimeInit(platform); }
  void TearDown() override {
    Program::Finalize();
    framework::RuntimeExit();
  }
  framework::HeadlessPlatform platform;
};

// The menu bar exists before any window, and the main window reuses it.
TEST_F(StartUpSteps, MakeTheMenuBarBeforeTheMainWindowAndShareIt) {
  Program::NewAppInstance();
  const std::shared_ptr<MenuBar1> bar = MenuBar1::implicitInstance;
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(framework::App()->MenuBar(), bar);
  EXPECT_NE(std::dynamic_pointer_cast<App>(framework::App()), nullptr);
  EXPECT_TRUE(framework::OpenWindows().empty());

  Program::MakeDefaultView();
  ASSERT_EQ(framework::OpenWindows().size(), 1u);
  EXPECT_EQ(framework::OpenWindows().front()->MenuBar(), bar);
  EXPECT_EQ(ImplicitInstance::MenuBar1(), bar);

  Program::Finalize();
  EXPECT_EQ(MenuBar1::implicitInstance, nullptr);
  EXPECT_TRUE(framework::OpenWindows().empty());
  EXPECT_EQ(framework::App(), nullptr);
}

TEST(StartUp, OpensExactlyTheMainWindowWithTheApplicationsMenuBar) {
  framework::HeadlessPlatform platform;
  RunProgram(platform, [&] {
    ASSERT_EQ(framework::OpenWindows().size(), 1u);
    auto window = ImplicitInstance::MainWindow();
    EXPECT_EQ(framework::OpenWindows().front(), window);
    EXPECT_EQ(ImplicitInstance::MainWindow(), window);  // a second reference constructs nothing
    EXPECT_EQ(framework::OpenWindows().size(), 1u);
    EXPECT_TRUE(window->IsShown());
    EXPECT_EQ(platform.WindowShownCount(*window), 1);
    EXPECT_EQ(window->MenuBar(), framework::App()->MenuBar());
    EXPECT_EQ(window->MenuBar(), MenuBar1::implicitInstance);
  });
}

// Every way of quitting ends the run with status 0, runs nothing more and releases everything:
// the main window too, which its timer and its event bindings must not keep alive.
TEST(ShutDown, EachWayOfQuittingEndsTheRunWithStatusZero) {
  const std::vector<std::pair<std::string, std::function<void(MainWindow&)>>> ways = {
      {"File > Quit", [](MainWindow& w) { w.FileQuit().Choose(); }},
      {"quit button", [](MainWindow& w) { w.pQuit().Press(); }},
      {"close box", [](MainWindow& w) { w.Close(); }},
  };
  for (const auto& [way, quit] : ways) {
    SCOPED_TRACE(way);
    framework::HeadlessPlatform platform;
    std::weak_ptr<MainWindow> window;
    std::weak_ptr<MenuBar1> bar;
    bool ran_after_quit = false;
    platform.Post([&, &quit = quit] {
      window = ImplicitInstance::MainWindow();
      bar = MenuBar1::implicitInstance;
      quit(*window.lock());
    });
    platform.Post([&] { ran_after_quit = true; });
    EXPECT_EQ(ProgramMain(platform), 0);
    EXPECT_TRUE(platform.QuitCalled());
    EXPECT_FALSE(ran_after_quit);
    EXPECT_TRUE(window.expired());
    EXPECT_TRUE(bar.expired());
    EXPECT_EQ(MenuBar1::implicitInstance, nullptr);
  }
}

TEST(ShutDown, AnExceptionInAnEventIsReportedAndTheStatusIsNonZero) {
  framework::HeadlessPlatform platform;
  std::weak_ptr<MenuBar1> bar;
  testing::internal::CaptureStderr();
  const std::int32_t status = RunProgram(platform, [&] {
    bar = MenuBar1::implicitInstance;
    throw std::runtime_error("posted work failed");
  });
  const std::string diagnostic = testing::internal::GetCapturedStderr();
  EXPECT_NE(status, 0);
  EXPECT_NE(diagnostic.find("posted work failed"), std::string::npos) << diagnostic;
  EXPECT_TRUE(bar.expired());
}

// A platform whose event loop itself fails, so that the exception leaves the loop.
class FailingLoopPlatform : public framework::HeadlessPlatform {
 public:
  void Run() override { throw std::runtime_error("the event loop broke down"); }
};

TEST(ShutDown, AnExceptionEscapingTheEventLoopStillShutsDown) {
  FailingLoopPlatform platform;
  testing::internal::CaptureStderr();
  const std::int32_t status = ProgramMain(platform);
  const std::string diagnostic = testing::internal::GetCapturedStderr();
  EXPECT_NE(status, 0);
  EXPECT_NE(diagnostic.find("the event loop broke down"), std::string::npos) << diagnostic;
  EXPECT_EQ(MenuBar1::implicitInstance, nullptr);
  EXPECT_FALSE(framework::RuntimeIsRunning());
}

}  // namespace
