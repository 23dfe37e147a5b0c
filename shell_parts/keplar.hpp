#pragma once

// The explanation window: its one text area `tResult` holds the fixed explanation of how the
// program solves Kepler's equation. It is reached through ImplicitInstance::Keplar(), which opens it
// on first use and after the user has closed it.

#include "shell_parts/text_window.hpp"
#include "shell_parts/text_window_properties.hpp"

inline constexpr TextWindowKind kKeplarKind{
    .class_name = "Keplar.Keplar",
    .window_properties = &TextWindowProperties::KeplarWindowProperties,
    .result_properties = &TextWindowProperties::KeplarResultProperties,
};

using Keplar = TextWindowOfKind<kKeplarKind>;
