#pragma once

// The one way of calling the model from a Qt signal or event handler.

#include <cstdio>
#include <exception>

#include "framework/runtime.hpp"

namespace framework::qt {

// Every call from a Qt signal or event handler into the model goes through here: an exception
// must never unwind through Qt's event loop, so it goes to the framework's default handling.
template <class F>
void CallModel(F&& call) {
  try {
    call();
  } catch (...) {
    try {
      UnhandledException(std::current_exception());
    } catch (...) {
      std::fputs("quillorn: an exception escaped the default handling of exceptions\n", stderr);
    }
  }
}

}  // namespace framework::qt
