#pragma once

// What must hold in the main window after every user action, whatever came before it and whatever
// was typed, and what the write button must show. Shared by the headless soak and the soak on Qt.
// Each check returns an empty text when all is well, otherwise what is wrong.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/controls.hpp"
#include "framework/number_conversion.hpp"
#include "framework/object2d.hpp"
#include "framework/runtime.hpp"
#include "framework/text_conversion.hpp"
#include "framework/timer.hpp"
#include "orbit_window/main_window.hpp"
#include "orbit_window/result_table.hpp"
#include "shell_parts/caliculate.hpp"
#include "../orbit_window/orbit_window_support.hpp"

namespace soak {

// A run state together with the road that entered it: the caption alone does not tell which of
// pKomaokuri, tDivision and tSeido are enabled, the road does.
enum class Road {
  Opened,               // idle: the window opened, or Stop
  Started,              // running: Start
  ContinuedAfterPause,  // running: Continue after a Pause
  ContinuedAfterStep,   // running: Continue after a single step from idle
  Paused,               // paused: Pause
  SteppedFromIdle,      // paused: a single step from idle
};

inline const orbit_test::Configuration& ConfigurationOf(Road road) {
  switch (road) {
    case Road::Opened: return orbit_test::kIdle;
    case Road::Started: return orbit_test::kStarted;
    case Road::ContinuedAfterPause: return orbit_test::kContinued;
    case Road::ContinuedAfterStep: return orbit_test::kContinuedAfterStep;
    case Road::Paused: return orbit_test::kPaused;
    case Road::SteppedFromIdle: return orbit_test::kStepped;
  }
  return orbit_test::kIdle;
}

inline const char* NameOf(Road road) {
  switch (road) {
    case Road::Opened: return "idle (opened or stopped)";
    case Road::Started: return "running (started)";
    case Road::ContinuedAfterPause: return "running (continued after a pause)";
    case Road::ContinuedAfterStep: return "running (continued after a step from idle)";
    case Road::Paused: return "paused (paused)";
    case Road::SteppedFromIdle: return "paused (stepped from idle)";
  }
  return "?";
}

// Where a click leads. A disabled button is not clicked: pStop is disabled in idle, pKomaokuri
// after a Continue.
inline bool StopEnabled(Road road) { return road != Road::Opened; }
inline bool StepEnabled(Road road) { return road != Road::ContinuedAfterPause && road != Road::ContinuedAfterStep; }

inline Road AfterGo(Road road) {
  switch (road) {
    case Road::Opened: return Road::Started;
    case Road::Paused: return Road::ContinuedAfterPause;
    case Road::SteppedFromIdle: return Road::ContinuedAfterStep;
    default: return Road::Paused;
  }
}
inline Road AfterStop(Road road) { return StopEnabled(road) ? Road::Opened : road; }
inline Road AfterStep(Road road) { return road == Road::Opened ? Road::SteppedFromIdle : road; }

// The caption, the timer and the four switched controls are those of `expected`; every control
// that does not change with the state is as it always is.
inline std::string CheckConfiguration(MainWindow& w, Road expected) {
  const orbit_test::Configuration shown = orbit_test::ShownConfiguration(w);
  std::string problems;
  if (shown != ConfigurationOf(expected) || w.tSeido().Enabled() != w.tDivision().Enabled()) {
    problems += "expected the configuration of " + std::string(NameOf(expected)) + ", shown: caption \"" +
                std::string(shown.caption) + "\", Timer1 " + (shown.timer ? "on" : "off") + ", pStop " +
                (shown.stop ? "on" : "off") + ", pKomaokuri " + (shown.single_step ? "on" : "off") + ", tDivision " +
                (shown.fields ? "on" : "off") + ", tSeido " + (w.tSeido().Enabled() ? "on" : "off") +
                "; ";
  }
  for (const char* name : {"pGo", "pWrite", "pQuit", "pSourceCode", "tEccentricity", "tFrameRate", "slEccentricity",
                           "slSpeed", "cDrawCircle"}) {
    if (!static_cast<framework::RectControl&>(w.ControlByName(name)).Enabled()) {
      problems += std::string(name) + " is disabled; ";
    }
  }
  if (w.pSourceCode1().Enabled()) problems += "pSourceCode1 is enabled; ";
  if (w.cSameCenter().Enabled() != w.cDrawCircle().Value()) {
    problems += "cSameCenter's Enabled does not follow cDrawCircle's Value; ";
  }
  return problems;
}

// The frame counter and lStep. lStep is written only where the counter is: a step adds 1 and
// shows the new index, a reset shows 0. A step that has drawn the last frame of a revolution then
// wraps the counter to 0 but leaves lStep on that frame until the next step or reset. So lStep
// shows Str(wNow), or the counter is 0 right after a wrap and lStep shows a whole frame number of
// at least 1. In idle no step has run since the reset that entered it: counter and lStep are 0,
// and both graph polylines, made new by that reset, hold at most the segment of frame 0.
inline std::string CheckFrameCounter(MainWindow& w, Road road) {
  const double now = w.wNow;
  if (!(now >= 0.0) || std::floor(now) != now) return "wNow is " + framework::Str(now) + ", not a frame index; ";
  const std::string& step = w.lStep().Text();
  if (road == Road::Opened) {
    const bool reset =
        now == 0.0 && step == "0" && w.wPath && w.wPath->Count() <= 1 && w.wPath2 && w.wPath2->Count() <= 1;
    return reset ? ""
                 : "idle with wNow " + framework::Str(now) + ", lStep \"" + step +
                       "\" and polylines of more than frame 0; ";
  }
  if (step == framework::Str(now)) return "";
  const double shown = framework::Val(step);
  const bool after_wrap = now == 0.0 && shown >= 1.0 && std::floor(shown) == shown && framework::Str(shown) == step;
  return after_wrap ? "" : "lStep \"" + step + "\" with wNow " + framework::Str(now) + "; ";
}

// A frame k puts its segment at index k once the polyline reaches that far, else after the last
// one, so the segment at index i always belongs to a frame k >= i; the polyline therefore holds at
// most one segment more than the largest frame index drawn into it. Every segment of the current
// polylines was made with the current wScaleTime (Resizing renews the scale and the polylines
// together), and ends at x = k * wScaleTime, which rounds monotonically in k. Checked only while
// that scale is a usable nonzero number.
inline std::string CheckPolylineIndices(const std::shared_ptr<framework::Group2D>& polyline, std::string_view name,
                                        double scale_time) {
  if (!polyline) return std::string(name) + " is missing; ";
  if (!std::isfinite(scale_time) || scale_time == 0.0) return "";
  for (std::int32_t i = 0; i < polyline->Count(); ++i) {
    const auto* segment = dynamic_cast<const framework::CurveShape*>(polyline->Item(i).get());
    if (segment == nullptr)
      return std::string(name) + " holds a member that is no segment at " + std::to_string(i) + "; ";
    const double lowest_end = static_cast<double>(i) * scale_time;
    if (scale_time > 0.0 ? segment->X2 < lowest_end : segment->X2 > lowest_end) {
      return std::string(name) + "'s segment " + std::to_string(i) + " ends at x " + framework::Str(segment->X2) +
             ", the frame of an earlier index (wScaleTime " + framework::Str(scale_time) + ", " +
             std::to_string(polyline->Count()) + " segments); ";
    }
  }
  return "";
}

// The write button reads the frame count N = Int32(Val(tDivision)) and shows the table of rows 0
// to N (the header alone for N < 0), or one line that says N is beyond what a table may hold.
inline std::string CheckResultTable(std::int32_t frames) {
  auto window = std::dynamic_pointer_cast<Caliculate>(framework::GetImplicitWindow(Caliculate::kClassName));
  if (!window) return "no result window after pWrite; ";
  const std::string& text = window->tResult().Text();
  if (frames > ResultTable::kMaximumFrames) {
    return text == ResultTable::TooLargeMessage() ? "" : "the result window does not say the count is too large; ";
  }
  const std::int64_t lines = std::count(text.begin(), text.end(), '\r');
  const std::int64_t expected = std::max<std::int64_t>(frames, -1) + 2;
  if (lines != expected || text.rfind(ResultTable::Header(), 0) != 0) {
    return "the table has " + std::to_string(lines) + " lines, expected " + std::to_string(expected) + "; ";
  }
  return "";
}

// The frame count that a press of pWrite reads now, if the soak can afford the table: a row
// costs a few Newton rounds inside the solver's domain but up to a million outside it, and a
// count beyond the table's limit costs one line. Tables of up to a few thousand rows are built.
inline std::optional<std::int32_t> AffordableTable(MainWindow& w) {
  constexpr std::int64_t kBudget = 3000;
  constexpr std::int64_t kCostOfARowOutsideTheDomain = 50;
  const std::int32_t frames = framework::DoubleToInt32(framework::Val(w.tDivision().Text()));
  const double e = framework::Val(w.tEccentricity().Text());
  const std::int64_t rows = frames < 0 || frames > ResultTable::kMaximumFrames ? 0 : std::int64_t{frames} + 1;
  const std::int64_t cost = rows * (e >= 0.0 && e <= 0.999 ? 1 : kCostOfARowOutsideTheDomain);
  if (cost > kBudget) return std::nullopt;
  return frames;
}

// Everything that the model alone tells, after an action.
inline std::string CheckWindow(MainWindow& w, Road road) {
  return CheckConfiguration(w, road) + CheckFrameCounter(w, road) +
         CheckPolylineIndices(w.wPath, "wPath", w.wScaleTime) + CheckPolylineIndices(w.wPath2, "wPath2", w.wScaleTime);
}

}  // namespace soak
