#pragma once

// The application object: one per run, created and registered by the start-up. It keeps the
// framework's Application as it is; the program adds no behaviour of its own to it.

#include <string_view>

#include "framework/application.hpp"

class App : public framework::Application {
 public:
  // The class-name string under which the class is registered at start.
  static constexpr std::string_view kClassName = "App.App";

  // Run by the start-up right after it creates the object.
  void Constructor();
};
