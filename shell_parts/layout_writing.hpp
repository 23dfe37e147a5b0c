#pragma once

// What the window layouts of this program have in common: the values every layout writes the same
// way, the window's own string, and the head of every visual control's string. The main window and
// the two text windows write their strings through these, so the shared entries have one source.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "framework/colour.hpp"
#include "framework/property_string.hpp"

namespace LayoutWriting {

inline constexpr framework::Colour kWhite = framework::Colour::FromRgb(0xFFFFFF);
inline constexpr framework::Colour kBlack = framework::Colour::FromRgb(0x000000);

// No control of these windows is part of a control array.
inline constexpr std::int32_t kNoControlArray = std::numeric_limits<std::int32_t>::min();

// The strings name the font only; the size is the framework's default in the text unit that the
// creation code sets before the string is applied.
inline constexpr std::string_view kSystemFont = "System";

struct Bounds {
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
};

// The window edges a control keeps its distance to when the window is resized; locks on two
// opposite edges stretch the control.
struct Locks {
  bool left = false;
  bool top = false;
  bool right = false;
  bool bottom = false;
};

// The entries in which one window's string departs from another's. Every window of the program is
// visible and resizable, with a menu bar and without a maximise button.
struct WindowValues {
  std::int32_t width;
  std::int32_t height;
  std::int32_t min_width;
  std::int32_t min_height;
  std::string_view title;
};

// A window's own string: its 21 entries in their fixed order.
std::string WindowProperties(const WindowValues& values);

// The first ten entries of every visual control's string: Name, Index, the bounds, the four locks.
void WriteControlHead(framework::PropertyStringWriter& w, std::string_view name, Bounds bounds,
                      Locks locks);

}  // namespace LayoutWriting
