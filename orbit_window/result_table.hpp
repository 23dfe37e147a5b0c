#pragma once

// The result table of one revolution as text: a header line and one row per frame from 0 to N,
// cells separated by one TAB, every line (the header's included) ended by one CR.
//
// Each row solves Kepler's equation to 2 decimal places, a precision of the table's own, not the
// animation's. The table is built whole in memory, so its size is bounded: beyond kMaximumFrames
// frames the window shows TooLargeMessage() instead. Its time is bounded too: outside 0 <= e <=
// 0.999 a row can need up to a million rounds, so a table whose rows need more than
// kMaximumRounds rounds in all gives NotConvergingMessage() instead.

#include <cstdint>
#include <string>

namespace ResultTable {

// A million frames make a table of about 70 MB that the result window can still show and scroll;
// a billion would not fit in memory.
inline constexpr std::int32_t kMaximumFrames = 1'000'000;

// A few seconds of Newton rounds. Inside the solver's domain a table of kMaximumFrames frames
// needs at most about 1.4e7 rounds (e = 0.999); e = 2 needs that many for a few thousand rows.
inline constexpr std::int64_t kMaximumRounds = 50'000'000;

// The header line, CR included.
std::string Header();

// The header and the rows 0..frames (none when frames < 0) for eccentricity e and the mean-anomaly
// step heikin (radians per frame), or NotConvergingMessage() once the rows need more than
// max_rounds rounds. The frame limit is the caller's.
std::string Text(std::int32_t frames, double e, double heikin, std::int64_t max_rounds = kMaximumRounds);

// The one line that the result window shows when frames exceeds kMaximumFrames.
std::string TooLargeMessage();

// The one line that the result window shows when Kepler's equation takes too many rounds.
std::string NotConvergingMessage();

}  // namespace ResultTable
