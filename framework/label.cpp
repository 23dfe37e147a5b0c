#include "framework/controls.hpp"

namespace framework {

Label::Label() : TextControl(kinds::Label) {}

const std::string& Label::Text() const { return Get(prop::Text); }
void Label::SetText(std::string_view text) { Set(prop::Text, std::string(text)); }
std::int32_t Label::TextAlign() const { return Get(prop::TextAlign); }
Colour Label::TextColor() const { return Get(prop::TextColor); }
bool Label::Multiline() const { return Get(prop::Multiline); }

}  // namespace framework
