// The process entry: the program runs on the Qt platform, which needs a display.

#include <iostream>

#include "app/program.hpp"
#include "framework/qt/qt_platform.hpp"

int main(int argc, char** argv) {
  // Without a display Qt would abort with a toolkit trace; say instead what to do.
  if (!framework::QtPlatform::DisplayAvailable()) {
    std::cerr << "Quillorn needs a display, and none could be reached.\n"
                 "To run it under a virtual display (xvfb-run is in the Debian package xvfb):\n"
                 "    xvfb-run -a -s \"-screen 0 1280x800x24\" bash scripts/run.sh\n";
    return 1;
  }
  framework::QtPlatform platform(argc, argv);
  return ProgramMain(platform);
}
