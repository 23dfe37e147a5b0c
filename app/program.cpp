#include "app/program.hpp"

#include <exception>
#include <memory>
#include <utility>

#include "app/app.hpp"
#include "app/implicit_instance.hpp"
#include "framework/runtime.hpp"
#include "orbit_window/main_window_timer1.hpp"

std::int32_t ProgramMain(framework::Platform& platform) {
  framework::RuntimeInit(platform);
  Program::Initialize();
  Program::Main();
  Program::Finalize();
  return framework::RuntimeExit();
}

namespace Program {

void Initialize() {
  // The framework's own classes were registered when the runtime started.
  framework::RuntimeRegisterClass(App::kClassName);
  framework::RuntimeRegisterClass(MainWindow::kClassName);
  framework::RuntimeRegisterClass(MainWindowTimer1::kClassName);
  framework::RuntimeRegisterClass(MenuBar1::kClassName);
  framework::RuntimeRegisterClass(Caliculate::kClassName);
  framework::RuntimeRegisterClass(Keplar::kClassName);
}

void Main() {
  // The one place in the program that catches: whatever escapes the start-up or the event loop
  // still lets the global objects be released and the runtime give its exit status.
  try {
    framework::RuntimeSetExceptionHelper(framework::CallFunctionWithExceptionHandling);
    framework::RunFrameworkInitialization(Startup);
    framework::RuntimeRun();
  } catch (...) {
    framework::UnhandledException(std::current_exception());
  }
}

std::int32_t Startup() {
  framework::RuntimeInitExternalClasses();
  framework::InitPluginEntrypoints(0);
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
  return 0;
}

void InitFileTypes() {}

void NewAppInstance() {
  auto app = std::make_shared<App>();
  app->Constructor();
  // The first reference to the menu bar: it is built here, before any window exists.
  app->SetMenuBar(ImplicitInstance::MenuBar1());
  framework::RuntimeRegisterAppObject(std::move(app));
}

void ApplicationAddMenuHandlers() {}

void MakeDefaultView() {
  // The framework keeps the window while it is open; the reference is not needed here.
  ImplicitInstance::MainWindow();
}

void Finalize() {
  framework::ReleaseWindows();
  // The global is cleared before the bar goes, so nothing its release sets off can find it.
  std::shared_ptr<MenuBar1> bar = std::exchange(MenuBar1::implicitInstance, nullptr);
  bar.reset();
}

void StartWithoutEventLoop(framework::Platform& platform) {
  framework::RuntimeInit(platform);
  Initialize();
  framework::RunFrameworkInitialization(Startup);
}

std::int32_t EndWithoutEventLoop() {
  Finalize();
  return framework::RuntimeExit();
}

}  // namespace Program
