#pragma once

// Test fixtures for the program's shell on the headless platform.
//
// StartedProgram runs the start-up as the program does, but does not enter the event loop: the
// test then looks at and acts on what the start-up built. TearDown shuts down as the program does,
// whatever the test left behind, so every test starts from a fresh runtime.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "app/implicit_instance.hpp"
#include "app/program.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/runtime.hpp"

class StartedProgram : public testing::Test {
 protected:
  void SetUp() override {
    Program::StartWithoutEventLoop(platform);
  }

  void TearDown() override {
    Program::EndWithoutEventLoop();
  }

  // The open main window (the start-up opened it; the accessor finds it again).
  MainWindow& Window() { return *ImplicitInstance::MainWindow(); }

  framework::HeadlessPlatform platform;
};

// Runs the whole program on `platform`; `actions` is posted as the event loop's first work.
inline std::int32_t RunProgram(framework::HeadlessPlatform& platform, std::function<void()> actions) {
  platform.Post(std::move(actions));
  return ProgramMain(platform);
}
