#include "framework/runtime.hpp"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <typeinfo>
#include <utility>

#include "framework/application.hpp"
#include "framework/platform.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/window.hpp"

namespace framework {

namespace {

// Everything one run of the runtime knows. It lives from RuntimeInit to RuntimeExit; RuntimeExit
// puts back a fresh state so that a test program can go through many runs.
struct RuntimeState {
  Platform* platform = nullptr;
  std::vector<std::string> classes;
  bool external_classes_done = false;
  std::int32_t plugin_entries = 0;
  std::vector<std::shared_ptr<Window>> open_windows;
  std::shared_ptr<Application> application;
  ExceptionHelper exception_helper = CallFunctionWithExceptionHandling;
  bool initialised = false;
  bool quit = false;
  std::int32_t quit_status = 0;
  std::int32_t unhandled_count = 0;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

// The classes the framework itself provides, set up with the runtime so that they come before
// every class of the program.
constexpr std::string_view kFrameworkClasses[] = {
    "Application", "Window",     "Control",  "RectControl", "Rectangle",  "Canvas",
    "PushButton",  "Label",      "TextField", "TextArea",   "Slider",     "CheckBox",
    "Timer",       "MenuItem",   "QuitMenuItem", "MenuBar", "Graphics",   "Object2D",
    "CurveShape",  "RectShape",  "OvalShape", "Group2D",
};

void RequireRunning(std::string_view operation) {
  if (State().platform == nullptr) {
    throw RuntimeException(std::string(operation) + " needs the runtime, but RuntimeInit has not run");
  }
}

std::string DescribeException(const std::exception_ptr& exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const std::exception& caught) {
    return ClassNameOf(typeid(caught)) + ": " + caught.what();
  } catch (...) {
    return "an exception of unknown class";
  }
}

}  // namespace

std::string ClassNameOf(const std::type_info& type) {
  int status = 0;
  char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  if (status != 0 || demangled == nullptr) return type.name();
  std::string name(demangled);
  std::free(demangled);
  return name;
}

void RuntimeInit(Platform& platform) {
  RuntimeState& state = State();
  if (state.platform != nullptr) throw RuntimeException("RuntimeInit: the runtime is already running");
  state = RuntimeState{};
  state.platform = &platform;
  for (std::string_view name : kFrameworkClasses) state.classes.emplace_back(name);
}

std::int32_t RuntimeExit() {
  RuntimeState& state = State();
  RequireRunning("RuntimeExit");
  // Windows still open at this point close while the platform is still there to hear of it.
  ReleaseWindows();
  // A run that met an unhandled exception never reports success; a non-zero status that the
  // program chose itself is kept as it is.
  std::int32_t status = state.quit_status;
  if (status == 0 && state.unhandled_count > 0) status = 1;
  state = RuntimeState{};
  return status;
}

bool RuntimeIsRunning() { return State().platform != nullptr; }

Platform& CurrentPlatform() {
  RuntimeState& state = State();
  if (state.platform == nullptr) throw NilObjectException("there is no platform: RuntimeInit has not run");
  return *state.platform;
}

void RuntimeRegisterClass(std::string_view class_name) {
  RequireRunning("RuntimeRegisterClass");
  auto& classes = State().classes;
  if (std::find(classes.begin(), classes.end(), class_name) != classes.end()) {
    throw RuntimeException("the class " + std::string(class_name) + " is already registered");
  }
  classes.emplace_back(class_name);
}

const std::vector<std::string>& RegisteredClasses() { return State().classes; }

void RuntimeInitExternalClasses() {
  RequireRunning("RuntimeInitExternalClasses");
  // The framework's own classes were registered by RuntimeInit; this framework loads no external
  // classes, so what is left is to make sure the step is taken once per run.
  RuntimeState& state = State();
  if (state.external_classes_done) throw RuntimeException("RuntimeInitExternalClasses ran twice");
  state.external_classes_done = true;
}

void InitPluginEntrypoints(std::int32_t count) {
  RequireRunning("InitPluginEntrypoints");
  if (count < 0) throw OutOfBoundsException("InitPluginEntrypoints: a negative count of entries");
  State().plugin_entries = count;
}

std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& function) {
  // Only the framework's own exceptions are the helper's to hand back; anything else passes on
  // to the caller, whose default handling takes it.
  try {
    if (function) function();
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  State().exception_helper = helper ? std::move(helper) : ExceptionHelper(CallFunctionWithExceptionHandling);
}

void RunHandler(const std::function<void()>& handler) {
  // A copy, so that a handler that installs another helper does not pull this one from under us.
  ExceptionHelper helper = State().exception_helper;
  std::exception_ptr escaped;
  try {
    escaped = helper(handler);
  } catch (...) {
    escaped = std::current_exception();
  }
  if (escaped) UnhandledException(escaped);
}

void RunFrameworkInitialization(const std::function<std::int32_t()>& startup) {
  RequireRunning("RunFrameworkInitialization");
  RuntimeState& state = State();
  if (state.initialised) throw RuntimeException("the framework initialisation has already run in this run");
  // Marked before the start-up runs, so that a start-up that calls this again is refused too.
  state.initialised = true;
  if (startup) startup();
}

void RuntimeRun() { CurrentPlatform().Run(); }

void Quit(std::int32_t status) {
  Platform& platform = CurrentPlatform();
  RuntimeState& state = State();
  state.quit = true;
  state.quit_status = status;
  platform.Quit();
}

bool QuitRequested() { return State().quit; }

void UnhandledException(std::exception_ptr exception) {
  if (!exception) return;
  ++State().unhandled_count;
  std::cerr << "Quillorn: unhandled exception: " << DescribeException(exception) << std::endl;
}

std::int32_t UnhandledExceptionCount() { return State().unhandled_count; }

void RuntimeRegisterAppObject(std::shared_ptr<Application> application) {
  RequireRunning("RuntimeRegisterAppObject");
  if (!application) throw NilObjectException("RuntimeRegisterAppObject: no application object");
  RuntimeState& state = State();
  if (state.application) throw RuntimeException("an application object is already registered");
  state.application = std::move(application);
}

std::shared_ptr<Application> App() { return State().application; }

std::shared_ptr<Window> GetImplicitWindow(std::string_view class_name) {
  for (const auto& window : State().open_windows) {
    if (window->ClassName() == class_name) return window;
  }
  return nullptr;
}

const std::vector<std::shared_ptr<Window>>& OpenWindows() { return State().open_windows; }

void RegisterOpenWindow(const std::shared_ptr<Window>& window) {
  if (!window) throw NilObjectException("RegisterOpenWindow: no window");
  auto& windows = State().open_windows;
  if (std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
}

void UnregisterOpenWindow(const Window& window) {
  auto& windows = State().open_windows;
  auto found = std::find_if(windows.begin(), windows.end(),
                            [&window](const std::shared_ptr<Window>& open) { return open.get() == &window; });
  if (found == windows.end()) return;
  // The window may be closing itself right now: it must not be destroyed inside the erase.
  std::shared_ptr<Window> keep = *found;
  windows.erase(found);
}

void ReleaseWindows() {
  RuntimeState& state = State();
  // Taken out of the registry first, so that nothing the release sets off finds them there.
  std::vector<std::shared_ptr<Window>> windows = std::move(state.open_windows);
  state.open_windows.clear();
  if (state.platform != nullptr) {
    // Hidden windows too: the platform holds their timers.
    for (const auto& window : windows) state.platform->WindowClosed(*window);
  }
  windows.clear();
  std::shared_ptr<Application> application = std::move(state.application);
  state.application.reset();
  application.reset();
}

}  // namespace framework
