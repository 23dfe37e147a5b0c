#pragma once

// The creation of the one text area of the result window and of the explanation window. Both
// windows make it the same way; only its property string differs.

#include <string_view>

#include "framework/window.hpp"

// Creates a TextArea in `window`, adds it under `name`, sets its line spacing to 1.0 and its text
// unit to 0, then applies `properties`. Every step after the adding finds the control again by
// name, so nothing here keeps a reference to it.
void CreateTextArea(framework::Window& window, std::string_view name, std::string_view properties);
