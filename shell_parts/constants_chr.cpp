#include "shell_parts/constants_chr.hpp"

#include "framework/text_conversion.hpp"

namespace Constants_Chr {

std::string cNewLine() { return framework::Chr(13); }
std::string cTab() { return framework::Chr(9); }

}  // namespace Constants_Chr
