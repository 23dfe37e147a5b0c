#include "framework/controls.hpp"

namespace framework {

TextEdit::TextEdit() {
  Define("TabStop", true);
  Define("Border", true);
  Define("UseFocusRing", true);
  Define("TextColor", Colour::FromRgb(0x000000));
  Define("BackColor", Colour::FromRgb(0xFFFFFF));
  Define("Format", std::string());
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

const std::string& TextEdit::Text() const { return Get<std::string>("Text"); }
void TextEdit::SetText(std::string_view text) { Set("Text", std::string(text)); }
bool TextEdit::ReadOnly() const { return Get<bool>("ReadOnly"); }
std::int32_t TextEdit::Alignment() const { return Get<std::int32_t>("Alignment"); }
bool TextEdit::Border() const { return Get<bool>("Border"); }
Colour TextEdit::TextColor() const { return Get<Colour>("TextColor"); }
Colour TextEdit::BackColor() const { return Get<Colour>("BackColor"); }
std::int32_t TextEdit::LimitText() const { return Get<std::int32_t>("LimitText"); }

void TextEdit::Type(std::string_view text) {
  if (!AcceptsUserAction() || ReadOnly()) return;
  SetText(text);
}

}  // namespace framework
