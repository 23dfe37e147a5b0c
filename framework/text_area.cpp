#include "framework/controls.hpp"

namespace framework {

TextArea::TextArea() : TextEdit(kinds::TextArea) {}

bool TextArea::Multiline() const { return Get(prop::Multiline); }
bool TextArea::ScrollbarHorizontal() const { return Get(prop::ScrollbarHorizontal); }
bool TextArea::ScrollbarVertical() const { return Get(prop::ScrollbarVertical); }

void TextArea::SetLineSpacing(double spacing) {
  if (spacing == m_line_spacing) return;
  m_line_spacing = spacing;
  NotifyPlatform();
}

}  // namespace framework
