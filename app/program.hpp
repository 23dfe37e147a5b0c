#pragma once

// The program's life: start the runtime, set up the classes, run the start-up and the event loop,
// release the global objects, end the runtime.
//
// ProgramMain is the whole of it; the steps in namespace Program are called by nothing but it (and
// by tests that take the start-up apart).

#include <cstdint>

#include "framework/platform.hpp"

// Runs the program on `platform` and returns its exit status: 0 after a quit, non-zero when an
// exception reached the framework's default handling during the run.
std::int32_t ProgramMain(framework::Platform& platform);

namespace Program {

// Registers the program's classes, after the framework's own, in this order: App, MainWindow,
// MainWindowTimer1, MenuBar1, Caliculate, Keplar.
void Initialize();

// Installs the exception helper, runs the framework initialisation with Startup, runs the event
// loop. An exception that escapes any of these goes to the framework's default handling, and
// Main returns normally so that shut-down still happens.
void Main();

// The start-up steps, in order; returns 0.
std::int32_t Startup();
// The program declares no document file types.
void InitFileTypes();
// Creates the application object, gives it the menu bar (which creates the bar) and registers it.
void NewAppInstance();
// The program adds no application-level menu handlers.
void ApplicationAddMenuHandlers();
// References the main window, which opens it.
void MakeDefaultView();

// Releases the open windows and the application object, then, last, the menu bar.
void Finalize();

// The life of ProgramMain without its event loop, for tests and benchmarks that act on what the
// start-up built: the runtime, the classes and the start-up; then, when they are done, the release
// of the global objects and the end of the runtime, which gives the exit status.
void StartWithoutEventLoop(framework::Platform& platform);
std::int32_t EndWithoutEventLoop();

}  // namespace Program
