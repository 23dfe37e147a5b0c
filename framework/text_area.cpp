#include "framework/controls.hpp"

namespace framework {

// A new text area is a multi-line box with a vertical scroll bar.
TextArea::TextArea() {
  Define("TabStop", true);
  Define("Border", true);
  Define("Multiline", true);
  Define("ScrollbarHorizontal", false);
  Define("ScrollbarVertical", true);
  Define("Styled", false);
  Define("UseFocusRing", true);
  Define("TextColor", Colour::FromRgb(0x000000));
  Define("BackColor", Colour::FromRgb(0xFFFFFF));
  Define("Format", std::string());
  Define("HideSelection", true);
  Define("Text", std::string());
  Define("Mask", std::string());
  Define("ReadOnly", false);
  Define("LimitText", std::int32_t{0});
  Define("AcceptTabs", false);
  Define("Alignment", std::int32_t{0});
  Define("AutomaticallyCheckSpelling", false);
  Define("DataSource", std::string());
  Define("DataField", std::string());
}

const std::string& TextArea::Text() const { return Get<std::string>("Text"); }
void TextArea::SetText(std::string_view text) { Set("Text", std::string(text)); }
bool TextArea::ReadOnly() const { return Get<bool>("ReadOnly"); }
bool TextArea::ScrollbarHorizontal() const { return Get<bool>("ScrollbarHorizontal"); }
bool TextArea::ScrollbarVertical() const { return Get<bool>("ScrollbarVertical"); }

void TextArea::SetLineSpacing(double spacing) {
  if (spacing == m_line_spacing) return;
  m_line_spacing = spacing;
  NotifyPlatform();
}

void TextArea::Type(std::string_view text) {
  if (!AcceptsUserAction() || ReadOnly()) return;
  SetText(text);
}

}  // namespace framework
