#pragma once

// What the window layouts of this program have in common: the window's own string and the head of
// every visual control's string. Every other entry of a string is its kind's default
// (framework/property_kinds.hpp) unless the layout sets it.

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/kind_writer.hpp"
#include "framework/property_kinds.hpp"

namespace LayoutWriting {

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

// A window's own string.
std::string WindowProperties(const WindowValues& values);

// The entries that every visual control of these windows sets: its name and its place. Its Index
// stays the kind's default, for no control is part of a control array.
template <const framework::PropertyKind& Kind>
void SetControlHead(framework::KindWriter<Kind>& w, std::string_view name, Bounds bounds, Locks locks) {
  namespace P = framework::prop;
  w.template Set<P::Name>(name)
      .template Set<P::Left>(bounds.left)
      .template Set<P::Top>(bounds.top)
      .template Set<P::Width>(bounds.width)
      .template Set<P::Height>(bounds.height)
      .template Set<P::LockLeft>(locks.left)
      .template Set<P::LockTop>(locks.top)
      .template Set<P::LockRight>(locks.right)
      .template Set<P::LockBottom>(locks.bottom);
}

}  // namespace LayoutWriting
