#include "program_run.hpp"

#include <gtest/gtest.h>

#include <exception>

#include <QObject>
#include <QTimer>

#include "app/implicit_instance.hpp"
#include "app/program.hpp"
#include "framework/runtime.hpp"
#include "qt_test_support.hpp"

namespace qt_test {

std::int32_t RunProgram(const std::function<void(MainWindow&)>& checks, int limit_ms) {
  // Timers owned here rather than single shots: neither may fire in a later test.
  QTimer start;
  start.setSingleShot(true);
  QObject::connect(&start, &QTimer::timeout, [&checks]() {
    // An exception must not unwind through Qt's event loop.
    try {
      checks(*ImplicitInstance::MainWindow());
    } catch (const std::exception& error) {
      ADD_FAILURE() << "the checks threw: " << error.what();
    }
    if (!framework::QuitRequested()) framework::Quit(kChecksDidNotQuit);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [limit_ms]() {
    ADD_FAILURE() << "the program still ran after " << limit_ms / 1000 << " s";
    framework::Quit(kWatchdogQuit);
  });
  start.start(0);
  watchdog.start(limit_ms);
  const std::int32_t status = ProgramMain(Platform());
  // The widgets of the windows that shut-down released go before the next test.
  ProcessEvents();
  return status;
}

}  // namespace qt_test
