#pragma once

// The result table of one revolution as text: a header line and one row per frame from 0 to N,
// cells separated by one TAB, every line (the header's included) ended by one CR.
//
// Each row solves Kepler's equation to 2 decimal places, a precision of the table's own, not the
// animation's. The table is built whole in memory, so its size is bounded: beyond kMaximumFrames
// frames the window shows TooLargeMessage() instead.

#include <cstdint>
#include <string>

namespace ResultTable {

// A million frames make a table of about 70 MB that the result window can still show and scroll;
// a billion would not fit in memory.
inline constexpr std::int32_t kMaximumFrames = 1'000'000;

// The header line, CR included.
std::string Header();

// The header and the rows 0..frames (none when frames < 0) for eccentricity e and the mean-anomaly
// step heikin (radians per frame). No limit is applied here.
std::string Text(std::int32_t frames, double e, double heikin);

// The one line that the result window shows when frames exceeds kMaximumFrames.
std::string TooLargeMessage();

}  // namespace ResultTable
