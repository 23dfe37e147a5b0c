#pragma once

// A window that shows nothing but text: one read-only text area, `tResult`, and no logic or window
// events of its own. The result window and the explanation window are kinds of it that differ only
// in their data, a TextWindowKind. Each kind is a class of its own, TextWindowOfKind<kind>, so that
// each has its own implicit instance.

#include <string>
#include <string_view>

#include "framework/controls.hpp"
#include "framework/window.hpp"

// What sets one kind of text window apart.
struct TextWindowKind {
  std::string_view class_name;
  std::string (*window_properties)();  // the window's own property string
  std::string (*result_properties)();  // the property string of its text area `tResult`
};

class TextWindow : public framework::Window {
 public:
  explicit TextWindow(const TextWindowKind& kind) : m_kind(kind) {}

  std::string_view ClassName() const final { return m_kind.class_name; }

  // Construction hooks: the window's own properties, then its one control. Unlike the main window,
  // a text window is given no menu bar of its own.
  void Layout() final;
  void CreateControls() final;
  void CreateControls0();

  // The text area; looked up by name on every call.
  framework::TextArea& tResult();

 private:
  const TextWindowKind& m_kind;
};

template <const TextWindowKind& kKind>
class TextWindowOfKind final : public TextWindow {
 public:
  static constexpr std::string_view kClassName = kKind.class_name;

  TextWindowOfKind() : TextWindow(kKind) {}
};
