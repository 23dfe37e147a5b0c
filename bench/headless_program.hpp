#pragma once

// The real program started on the headless platform for a benchmark: the start-up as the program
// runs it, without the event loop, and the shut-down when the object goes.

#include <memory>

#include "app/implicit_instance.hpp"
#include "app/program.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/text_conversion.hpp"

class HeadlessProgram {
 public:
  HeadlessProgram() {
    Program::StartWithoutEventLoop(platform);
  }
  ~HeadlessProgram() {
    Program::EndWithoutEventLoop();
  }
  HeadlessProgram(const HeadlessProgram&) = delete;
  HeadlessProgram& operator=(const HeadlessProgram&) = delete;

  MainWindow& Window() { return *ImplicitInstance::MainWindow(); }

  // Opens the animation at `frames` per revolution and steps into its second revolution, where
  // every frame replaces a segment of both polylines.
  void EnterSecondRevolution(const char* frames) {
    MainWindow& window = Window();
    window.tDivision().SetText(frames);
    window.OpenSequence();
    const double n = framework::Val(frames);
    for (double k = 0.0; k <= n + 1.0; k += 1.0) window.OneStep();
  }

  framework::HeadlessPlatform platform;
};
