#pragma once

// The framework's runtime: its life from RuntimeInit to RuntimeExit, the registry of classes and of
// open windows, the application object, the event loop and the default handling of exceptions.
// Everything runs on the one thread that called RuntimeInit.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

class Application;
class Platform;
class Window;

// Starts the runtime on `platform`, which must outlive RuntimeExit. The framework's own classes
// are registered here, ahead of every class of the program.
void RuntimeInit(Platform& platform);
// Ends the runtime and gives the exit status: the status passed to Quit, or 1 when an exception
// reached the default handling during the run and Quit passed 0 or never ran (a failure is never
// reported as success). Windows still open are released first; then the runtime forgets the run.
std::int32_t RuntimeExit();
bool RuntimeIsRunning();
Platform& CurrentPlatform();

// Class set-up: each class is registered once by its class-name string, in order.
void RuntimeRegisterClass(std::string_view class_name);
const std::vector<std::string>& RegisteredClasses();
// Sets up the external classes that the framework loads (it loads none); once per run.
void RuntimeInitExternalClasses();
// Allocates the plug-in entry table (this program has none).
void InitPluginEntrypoints(std::int32_t count);

// Runs `function` and returns the exception that escaped it, or null.
std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& function);
using ExceptionHelper = std::function<std::exception_ptr(const std::function<void()>&)>;
// Installs the routine through which the runtime runs handlers.
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// Runs a handler through the installed helper; an escaping exception goes to UnhandledException.
void RunHandler(const std::function<void()>& handler);

// Initialises the framework and runs `startup` from within, once per run; a second call raises
// RuntimeException.
void RunFrameworkInitialization(const std::function<std::int32_t()>& startup);
// The event loop: returns after Quit or the quit item.
void RuntimeRun();
// Asks the event loop to end; `status` becomes the exit status.
void Quit(std::int32_t status = 0);
bool QuitRequested();

// The default handling of an exception that nothing caught: a diagnostic on stderr; the run goes
// on, and the exit status will say that something failed.
void UnhandledException(std::exception_ptr exception);
std::int32_t UnhandledExceptionCount();

// The application object.
void RuntimeRegisterAppObject(std::shared_ptr<Application> application);
std::shared_ptr<Application> App();

// Open windows, in the order they were opened.
std::shared_ptr<Window> GetImplicitWindow(std::string_view class_name);
const std::vector<std::shared_ptr<Window>>& OpenWindows();
void RegisterOpenWindow(const std::shared_ptr<Window>& window);
void UnregisterOpenWindow(const Window& window);
// Shut-down: forgets every open window (their views close) and the application object.
void ReleaseWindows();

}  // namespace framework
