#pragma once

#include <string>

// The separators of the result table: cells are separated by one TAB and every line, the
// header's included, ends with one CR (never LF).
namespace Constants_Chr {

std::string cNewLine();
std::string cTab();

}  // namespace Constants_Chr
