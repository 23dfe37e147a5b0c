#pragma once

// The property strings of the two windows that show nothing but text: the result window
// `Caliculate` and the Kepler explanation window `Keplar`, each a window string and the string of
// its one text area `tResult`. Both windows are built the same way and differ only in the title,
// the text area's top edge, its horizontal scroll bar and its text.
//
// Each function builds its string anew from the window's or the text area's table, entries in the
// table's order; the results are the exact bytes the property setter reads.

#include <string>

namespace TextWindowProperties {

// The result window: 600 x 400, titled "計算結果" (279 bytes).
std::string CaliculateWindowProperties();

// The result window's text area: read-only, both scroll bars, top 14, empty text (494 bytes). The
// result table is set later by the code that writes it.
std::string CaliculateResultProperties();

// The explanation window: 600 x 400, titled "Keplar方程式" (282 bytes).
std::string KeplarWindowProperties();

// The explanation window's text area: read-only, vertical scroll bar only, top 0, holding
// KeplarExplanationText() (494 bytes plus the text's byte length).
std::string KeplarResultProperties();

// The fixed explanation of how the program solves Kepler's equation: 32 lines joined by a single
// CR (none after the last, no LF), listings indented with one TAB. UTF-8.
std::string KeplarExplanationText();

}  // namespace TextWindowProperties
