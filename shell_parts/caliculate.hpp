#pragma once

// The result window: its one text area `tResult` shows the result table, which the main window
// writes into it. It is reached through ImplicitInstance::Caliculate(), which opens it on first use
// and after the user has closed it.

#include "shell_parts/text_window.hpp"
#include "shell_parts/text_window_properties.hpp"

inline constexpr TextWindowKind kCaliculateKind{
    .class_name = "Caliculate.Caliculate",
    .window_properties = &TextWindowProperties::CaliculateWindowProperties,
    .result_properties = &TextWindowProperties::CaliculateResultProperties,
};

using Caliculate = TextWindowOfKind<kCaliculateKind>;
