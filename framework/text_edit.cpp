#include "framework/controls.hpp"

namespace framework {

TextEdit::TextEdit(const PropertyKind& kind) : TextControl(kind) {}

const std::string& TextEdit::Text() const { return Get(prop::Text); }
void TextEdit::SetText(std::string_view text) { Set(prop::Text, std::string(text)); }
bool TextEdit::ReadOnly() const { return Get(prop::ReadOnly); }
std::int32_t TextEdit::Alignment() const { return Get(prop::Alignment); }
bool TextEdit::Border() const { return Get(prop::Border); }
Colour TextEdit::TextColor() const { return Get(prop::TextColor); }
Colour TextEdit::BackColor() const { return Get(prop::BackColor); }
std::int32_t TextEdit::LimitText() const { return Get(prop::LimitText); }

void TextEdit::Type(std::string_view text) {
  if (!AcceptsUserAction() || ReadOnly()) return;
  SetText(text);
}

}  // namespace framework
