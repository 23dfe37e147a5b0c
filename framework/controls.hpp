#pragma once

// The control classes that windows hold. What each holds, and in which order its property strings
// list it, is its kind's table in property_kinds.hpp.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/colour.hpp"
#include "framework/rect_control.hpp"

namespace framework {

class Graphics;

// A white or coloured area with a frame.
class Rectangle : public RectControl {
 public:
  Rectangle();
  std::vector<std::string_view> EventNames() const override { return {}; }
  Colour FillColor() const;
  std::int32_t BorderWidth() const;
  Colour TopLeftColor() const;
  Colour BottomRightColor() const;
};

// A drawing surface. Event: Paint(canvas, graphics, areas).
class Canvas : public RectControl {
 public:
  Canvas();
  std::vector<std::string_view> EventNames() const override { return {"Paint"}; }
  bool AcceptFocus() const;

  // The canvas's own drawing surface: during a Paint event the surface being painted; outside
  // one, a surface that keeps nothing (drawing is retained only through Paint).
  framework::Graphics& Graphics();

  // Platform entry point: paint the canvas on `graphics`, raising Paint.
  void Paint(framework::Graphics& graphics, const std::vector<Rect>& areas);

 private:
  framework::Graphics* m_painting = nullptr;
};

// Event: Action.
class PushButton : public TextControl {
 public:
  PushButton();
  std::vector<std::string_view> EventNames() const override { return {"Action"}; }
  const std::string& Caption() const;
  void SetCaption(std::string_view caption);
  bool Default() const;
  void SetDefault(bool value);
  bool Cancel() const;

  // User action: a click (or Return/Escape through the window). Ignored unless the button accepts
  // user actions.
  void Press();
};

// Static text.
class Label : public TextControl {
 public:
  Label();
  std::vector<std::string_view> EventNames() const override { return {}; }
  const std::string& Text() const;
  void SetText(std::string_view text);
  // 0 left, 1 centre, 2 right.
  std::int32_t TextAlign() const;
  Colour TextColor() const;
  bool Multiline() const;
};

// Editable text: what a text field and a text area share.
class TextEdit : public TextControl {
 public:
  std::vector<std::string_view> EventNames() const override { return {}; }
  const std::string& Text() const;
  void SetText(std::string_view text);
  bool ReadOnly() const;
  // 0 default, 1 left, 2 centre, 3 right.
  std::int32_t Alignment() const;
  bool Border() const;
  Colour TextColor() const;
  Colour BackColor() const;
  // The most characters the text may hold; 0 for no limit.
  std::int32_t LimitText() const;

  // User action: the user edited the text to `text`. Ignored unless the control accepts user
  // actions and is not read-only.
  void Type(std::string_view text);

 protected:
  explicit TextEdit(const PropertyKind& kind);
};

// One line of editable text.
class TextField : public TextEdit {
 public:
  TextField();
};

// Multi-line text; line breaks are CR. LineSpacing is set by code only.
class TextArea : public TextEdit {
 public:
  TextArea();
  bool Multiline() const;
  bool ScrollbarHorizontal() const;
  bool ScrollbarVertical() const;
  double LineSpacing() const { return m_line_spacing; }
  void SetLineSpacing(double spacing);

 private:
  double m_line_spacing = 1.0;
};

// Event: ValueChanged, raised whenever Value really changes, by the user or by code.
// Value is kept within [Minimum, Maximum]; while a property string is being applied the clamp
// waits for the whole string, whose entries come in the order Minimum, Value, Maximum.
class Slider : public RectControl {
 public:
  Slider();
  std::vector<std::string_view> EventNames() const override { return {"ValueChanged"}; }
  std::int32_t Minimum() const;
  std::int32_t Maximum() const;
  std::int32_t Value() const;
  void SetValue(std::int32_t value);
  std::int32_t LineStep() const;
  std::int32_t PageStep() const;
  bool LiveScroll() const;

  // User action: the thumb moved to `value` (clamped). Ignored unless the slider accepts user actions.
  void MoveTo(std::int32_t value);

 protected:
  void PropertyChanged(std::string_view name) override;
  PropertyValue CheckedValue(std::string_view name, PropertyValue value) const override;
  void PropertyStringBegins() override;
  void PropertyStringApplied() override;

 private:
  // `value` within [Minimum, Maximum]; Minimum when the range is empty (Minimum > Maximum).
  std::int32_t Clamped(std::int32_t value) const;

  std::int32_t m_value_before_string = 0;
};

// Event: Action, raised whenever Value really changes, by the user or by code. State (0 unchecked,
// 1 checked, 2 mixed) and Value are kept in step.
class CheckBox : public TextControl {
 public:
  CheckBox();
  std::vector<std::string_view> EventNames() const override { return {"Action"}; }
  const std::string& Caption() const;
  bool Value() const;
  void SetValue(bool value);
  std::int32_t State() const;

  // User action: a click toggles the check. Ignored unless the box accepts user actions.
  void Toggle();

 protected:
  void PropertyChanged(std::string_view name) override;
  // State is 0, 1 or 2.
  PropertyValue CheckedValue(std::string_view name, PropertyValue value) const override;
  void PropertyStringBegins() override;
  void PropertyStringApplied() override;

 private:
  bool m_value_before_string = false;
};

}  // namespace framework
