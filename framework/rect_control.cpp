#include "framework/rect_control.hpp"

#include <algorithm>
#include <limits>

#include "framework/controls.hpp"
#include "framework/platform.hpp"
#include "framework/runtime.hpp"
#include "framework/scoped_assignment.hpp"
#include "framework/window.hpp"

namespace framework {

namespace {

// The properties from which the edge locks place a control.
bool PlacesControl(std::string_view name) {
  return prop::Left == name || prop::Top == name || prop::Width == name || prop::Height == name ||
         prop::LockLeft == name || prop::LockTop == name || prop::LockRight == name || prop::LockBottom == name;
}

// Window sizes come from property strings and may be anything an Int32 holds, so the sums are
// taken in 64 bits and brought back into range.
std::int32_t Saturated(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

struct Span {
  std::int32_t start;
  std::int32_t length;
};

// One axis of the edge locks. `delta` is how far the window's size is from its design size.
Span PlaceOnAxis(std::int32_t start, std::int32_t length, bool lock_start, bool lock_end,
                 std::int64_t delta) {
  if (lock_start && lock_end) {
    // Stretching cannot make a control less than empty.
    return {start, Saturated(std::max<std::int64_t>(0, std::int64_t{length} + delta))};
  }
  if (lock_end) return {Saturated(std::int64_t{start} + delta), length};
  // Locked to the start edge, or to neither: the design position stays.
  return {start, length};
}

// The inverse of PlaceOnAxis: the design span that gives this span at this size.
Span DesignOnAxis(std::int32_t start, std::int32_t length, bool lock_start, bool lock_end,
                  std::int64_t delta) {
  if (lock_start && lock_end) return {start, Saturated(std::int64_t{length} - delta)};
  if (lock_end) return {Saturated(std::int64_t{start} - delta), length};
  return {start, length};
}

}  // namespace

RectControl::RectControl(const PropertyKind& kind) : Control(kind) { m_design = Bounds(); }

std::int32_t RectControl::Left() const { return Get(prop::Left); }
std::int32_t RectControl::Top() const { return Get(prop::Top); }
std::int32_t RectControl::Width() const { return Get(prop::Width); }
std::int32_t RectControl::Height() const { return Get(prop::Height); }
Rect RectControl::Bounds() const { return Rect{Left(), Top(), Width(), Height()}; }
void RectControl::SetLeft(std::int32_t value) { Set(prop::Left, value); }
void RectControl::SetTop(std::int32_t value) { Set(prop::Top, value); }
void RectControl::SetWidth(std::int32_t value) { Set(prop::Width, value); }
void RectControl::SetHeight(std::int32_t value) { Set(prop::Height, value); }

bool RectControl::LockLeft() const { return Get(prop::LockLeft); }
bool RectControl::LockTop() const { return Get(prop::LockTop); }
bool RectControl::LockRight() const { return Get(prop::LockRight); }
bool RectControl::LockBottom() const { return Get(prop::LockBottom); }

bool RectControl::Enabled() const { return Get(prop::Enabled); }
void RectControl::SetEnabled(bool value) { Set(prop::Enabled, value); }
bool RectControl::Visible() const { return Get(prop::Visible); }
void RectControl::SetVisible(bool value) { Set(prop::Visible, value); }
const std::string& RectControl::HelpTag() const { return Get(prop::HelpTag); }
std::int32_t RectControl::TabIndex() const { return Get(prop::TabIndex); }

std::optional<bool> RectControl::TabStop() const {
  if (!HasProperty(prop::TabStop)) return std::nullopt;
  return Get(prop::TabStop);
}

const std::string& RectControl::InitialParent() const {
  // Text fields and text areas have no InitialParent entry: they never lie inside another control.
  static const std::string kNone;
  return HasProperty(prop::InitialParent) ? Get(prop::InitialParent) : kNone;
}

void RectControl::Refresh(bool /*erase_background*/) {
  // A platform paints a canvas from a cleared background (the program never asks otherwise), so
  // the flag is not passed on.
  if (!InShownWindow()) return;
  if (auto* canvas = dynamic_cast<Canvas*>(this)) {
    CurrentPlatform().RepaintRequested(*canvas);
  } else {
    CurrentPlatform().ControlChanged(*this);
  }
}

bool RectControl::AcceptsUserAction() const {
  if (!Enabled() || !Visible()) return false;
  auto window = WindowOrNull();
  return window && window->IsOpen() && window->IsShown();
}

void RectControl::PropertyChanged(std::string_view name) {
  // Code that moves a control (or changes its locks) moves its design position with it, so that the
  // next resize starts from where code put it; the edge locks' own moves leave it alone.
  if (PlacesControl(name) && !m_placing) CaptureDesignBounds();
  Control::PropertyChanged(name);
}

void RectControl::ApplyEdgeLocks(std::int32_t design_width, std::int32_t design_height, std::int32_t width,
                                 std::int32_t height) {
  const std::int64_t dx = std::int64_t{width} - design_width;
  const std::int64_t dy = std::int64_t{height} - design_height;
  const Span x = PlaceOnAxis(m_design.left, m_design.width, LockLeft(), LockRight(), dx);
  const Span y = PlaceOnAxis(m_design.top, m_design.height, LockTop(), LockBottom(), dy);
  const ScopedAssignment placing(m_placing, true);
  SetLeft(x.start);
  SetTop(y.start);
  SetWidth(x.length);
  SetHeight(y.length);
}

void RectControl::CaptureDesignBounds() {
  // How far the window's size is from its design size; none without a window.
  std::int32_t window_dx = 0;
  std::int32_t window_dy = 0;
  if (auto window = WindowOrNull()) {
    window_dx = Saturated(std::int64_t{window->Width()} - window->DesignWidth());
    window_dy = Saturated(std::int64_t{window->Height()} - window->DesignHeight());
  }
  const Span x = DesignOnAxis(Left(), Width(), LockLeft(), LockRight(), window_dx);
  const Span y = DesignOnAxis(Top(), Height(), LockTop(), LockBottom(), window_dy);
  m_design = Rect{x.start, y.start, x.length, y.length};
}

TextControl::TextControl(const PropertyKind& kind) : RectControl(kind) {}

void TextControl::SetTextUnit(std::int32_t unit) {
  if (unit == m_text_unit) return;
  m_text_unit = unit;
  NotifyPlatform();
}

const std::string& TextControl::TextFont() const { return Get(prop::TextFont); }
bool TextControl::Bold() const { return Get(prop::Bold); }
bool TextControl::Italic() const { return Get(prop::Italic); }
bool TextControl::Underline() const { return Get(prop::Underline); }

}  // namespace framework
