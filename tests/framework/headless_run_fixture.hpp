#pragma once

// A test that runs on the headless platform: the runtime is started before the test and ended
// after it, so every test starts from a fresh runtime even when an assertion stopped it halfway.

#include <gtest/gtest.h>

#include "framework/headless/headless_platform.hpp"
#include "framework/runtime.hpp"

class HeadlessRun : public ::testing::Test {
 protected:
  void SetUp() override { framework::RuntimeInit(platform); }
  void TearDown() override {
    if (framework::RuntimeIsRunning()) framework::RuntimeExit();
  }

  framework::HeadlessPlatform platform;
};
