#pragma once

// What the tests of the main window's animation share: a freshly started program on the headless
// platform (one per table row where rows must not see each other), ticks of the virtual clock, and
// typed access to the shapes of a group.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/implicit_instance.hpp"
#include "app/program.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/object2d.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "orbit_window/main_window.hpp"

namespace orbit_test {

// The start-up as the program runs it, without the event loop; shut down again at the end. No
// handler may have failed in between: a failure would only have gone to the default handling.
class FreshProgram {
 public:
  FreshProgram() {
    Program::StartWithoutEventLoop(platform);
  }
  ~FreshProgram() {
    EXPECT_EQ(framework::UnhandledExceptionCount(), 0) << "an exception reached the default handling";
    Program::EndWithoutEventLoop();
  }
  FreshProgram(const FreshProgram&) = delete;
  FreshProgram& operator=(const FreshProgram&) = delete;

  MainWindow& Window() { return *ImplicitInstance::MainWindow(); }

  // Lets `n` periods of the animation timer pass, the event loop waiting: one tick each while it
  // runs (a period of 0 or less gives none; then a millisecond passes each time).
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) platform.AdvanceClock(std::max<std::int64_t>(Window().Timer1().Period(), 1));
  }

  framework::HeadlessPlatform platform;
};

// How a run state shows: the caption of pGo, the timer, and the Enabled of pStop, pKomaokuri and
// the two fields tDivision and tSeido (read from tDivision). The caption alone does not tell the
// configuration: the road by which the state was entered does.
struct Configuration {
  std::string caption;
  bool timer, stop, single_step, fields;
  friend bool operator==(const Configuration&, const Configuration&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Configuration& c) {
  return out << c.caption << " timer " << c.timer << " pStop " << c.stop << " pKomaokuri " << c.single_step
             << " fields " << c.fields;
}

inline Configuration ShownConfiguration(MainWindow& w) {
  return {w.pGo().Caption(), w.Timer1().Enabled(), w.pStop().Enabled(), w.pKomaokuri().Enabled(),
          w.tDivision().Enabled()};
}

// The six configurations, by the road that enters them.
inline const Configuration kIdle{"開始", false, false, true, true};                  // opened, or Stop
inline const Configuration kStarted{"一時停止", true, true, true, false};            // Start
inline const Configuration kContinued{"一時停止", true, true, false, false};         // Continue after Pause
inline const Configuration kContinuedAfterStep{"一時停止", true, true, false, true}; // Continue after a step from idle
inline const Configuration kPaused{"続行", false, true, true, false};                // Pause
inline const Configuration kStepped{"続行", false, true, true, true};                // a step from idle

template <class S>
const S& ShapeAt(const std::shared_ptr<framework::Group2D>& group, std::int32_t index) {
  if (!group) throw framework::NilObjectException("no group");
  return framework::RuntimeCheckCast<const S>(*group->Item(index));
}

inline const framework::CurveShape& CurveAt(const std::shared_ptr<framework::Group2D>& group,
                                            std::int32_t index) {
  return ShapeAt<framework::CurveShape>(group, index);
}

// The cells of a result table's lines: the text split at CR, each line at TAB.
inline std::vector<std::vector<std::string>> TableCells(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\r', start)) != std::string::npos; start = end + 1) {
    std::vector<std::string>& cells = lines.emplace_back();
    std::size_t cell = start;
    for (std::size_t tab; (tab = text.find('\t', cell)) < end; cell = tab + 1) {
      cells.push_back(text.substr(cell, tab - cell));
    }
    cells.push_back(text.substr(cell, end - cell));
  }
  if (start != text.size()) lines.push_back({"<unterminated> " + text.substr(start)});
  return lines;
}

}  // namespace orbit_test
