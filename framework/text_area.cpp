#include "framework/controls.hpp"

namespace framework {

// A new text area is a multi-line box with a vertical scroll bar.
TextArea::TextArea() {
  Define("Multiline", true);
  Define("ScrollbarHorizontal", false);
  Define("ScrollbarVertical", true);
  Define("Styled", false);
  Define("HideSelection", true);
}

bool TextArea::ScrollbarHorizontal() const { return Get<bool>("ScrollbarHorizontal"); }
bool TextArea::ScrollbarVertical() const { return Get<bool>("ScrollbarVertical"); }

void TextArea::SetLineSpacing(double spacing) {
  if (spacing == m_line_spacing) return;
  m_line_spacing = spacing;
  NotifyPlatform();
}

}  // namespace framework
