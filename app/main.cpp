// The process entry: the program runs on the Qt platform, which needs a display.

#include <iostream>

#include "app/program.hpp"
#include "framework/qt/qt_platform.hpp"

int main(int argc, char** argv) {
  // Without a display Qt would abort with a toolkit trace; say instead what to do.
  if (!framework::QtPlatform::DisplayAvailable()) {
    std::cerr << "Quillorn needs a display, and none was found (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                 "To run it under a virtual display:\n"
                 "    xvfb-run -a bash scripts/run.sh\n"
                 "or, to run it without showing anything, set QT_QPA_PLATFORM=offscreen.\n";
    return 1;
  }
  framework::QtPlatform platform(argc, argv);
  return ProgramMain(platform);
}
