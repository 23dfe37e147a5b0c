#pragma once

// A visible control: a rectangle in its window's content area, with edge locks, a help tag and
// an enabled state.
//
// Every visible kind holds Left Top Width Height (pixels in the window's content area), the four
// edge locks, Visible, Enabled and a help tag; property_kinds.hpp lists all that each kind holds.

#include <cstdint>
#include <optional>
#include <string>

#include "framework/control.hpp"

namespace framework {

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  friend bool operator==(const Rect&, const Rect&) = default;
};

class RectControl : public Control {
 public:
  explicit RectControl(const PropertyKind& kind);

  std::int32_t Left() const;
  std::int32_t Top() const;
  std::int32_t Width() const;
  std::int32_t Height() const;
  Rect Bounds() const;
  void SetLeft(std::int32_t value);
  void SetTop(std::int32_t value);
  void SetWidth(std::int32_t value);
  void SetHeight(std::int32_t value);

  bool LockLeft() const;
  bool LockTop() const;
  bool LockRight() const;
  bool LockBottom() const;

  bool Enabled() const;
  void SetEnabled(bool value);
  bool Visible() const;
  void SetVisible(bool value);
  // Lines of a help tag are separated by CR.
  const std::string& HelpTag() const;
  std::int32_t TabIndex() const;
  // Whether Tab reaches the control; nullopt for a kind that is never in the tab order (labels,
  // rectangles).
  std::optional<bool> TabStop() const;
  const std::string& InitialParent() const;

  // The rectangle the control has at its window's design size; the edge locks place the control
  // relative to it whenever the window's size changes.
  Rect DesignBounds() const { return m_design; }

  // Asks the platform to repaint the control (a Canvas then gets a Paint event later).
  void Refresh(bool erase_background = true);

  // Whether a user action can reach the control: it and its window are enabled and shown.
  bool AcceptsUserAction() const;

 protected:
  void PropertyChanged(std::string_view name) override;

 private:
  friend class Window;
  // Places the control for a window of `width` x `height` whose design size is
  // `design_width` x `design_height`: a locked edge keeps its distance to the same window edge,
  // opposite locks stretch the control (never below an empty size), and an axis with neither lock
  // keeps its design position.
  void ApplyEdgeLocks(std::int32_t design_width, std::int32_t design_height, std::int32_t width,
                      std::int32_t height);
  // Takes the current rectangle, at the window's current size, as the design rectangle (at the end
  // of window construction, and when code moves the control later).
  void CaptureDesignBounds();

  Rect m_design;
  bool m_placing = false;  // true while the edge locks move the control
};

// Labels, text fields, push buttons, check boxes and text areas: a font in a text unit. TextUnit is
// set by code only.
class TextControl : public RectControl {
 public:
  explicit TextControl(const PropertyKind& kind);
  std::int32_t TextUnit() const { return m_text_unit; }
  void SetTextUnit(std::int32_t unit);
  const std::string& TextFont() const;
  bool Bold() const;
  bool Italic() const;
  bool Underline() const;

 private:
  std::int32_t m_text_unit = 0;
};

}  // namespace framework
