#include "framework/controls.hpp"

namespace framework {

Label::Label() {
  Define("Text", std::string());
  Define("TextAlign", std::int32_t{0});
  Define("TextColor", Colour::FromRgb(0x000000));
  Define("Multiline", false);
  Define("Selectable", false);
  Define("Transparent", false);
  Define("DataSource", std::string());
  Define("DataField", std::string());
  Define("InitialParent", std::string());
}

const std::string& Label::Text() const { return Get<std::string>("Text"); }
void Label::SetText(std::string_view text) { Set("Text", std::string(text)); }
std::int32_t Label::TextAlign() const { return Get<std::int32_t>("TextAlign"); }
Colour Label::TextColor() const { return Get<Colour>("TextColor"); }
bool Label::Multiline() const { return Get<bool>("Multiline"); }

}  // namespace framework
