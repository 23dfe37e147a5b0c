// The run states and their controls, the animation step and its wrap, the redraws without a step,
// and the timer's period.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "orbit_window_support.hpp"

namespace {

using orbit_test::CurveAt;
using orbit_test::FreshProgram;

using orbit_test::Configuration;
using orbit_test::kContinued;
using orbit_test::kContinuedAfterStep;
using orbit_test::kIdle;
using orbit_test::kPaused;
using orbit_test::kStarted;
using orbit_test::kStepped;

Configuration ConfigurationOf(MainWindow& w) {
  EXPECT_EQ(w.tDivision().Enabled(), w.tSeido().Enabled());
  return orbit_test::ShownConfiguration(w);
}

// One road through every transition and all six configurations; after each action the state and
// the frame shown.
TEST(RunStates, EveryTransitionLeadsToItsConfiguration) {
  FreshProgram program;
  MainWindow& w = program.Window();
  const auto go = [&] { w.pGo().Press(); };
  const auto stop = [&] { w.pStop().Press(); };
  const auto step = [&] { w.pKomaokuri().Press(); };
  const auto escape = [&] { w.PressEscape(); };
  const auto tick = [&] { program.Tick(); };
  struct Row {
    std::string action;
    std::function<void()> act;
    Configuration after;
    std::string frame;
  };
  const std::vector<Row> road = {
      {"open", [] {}, kIdle, "0"},
      {"Escape does nothing in idle", escape, kIdle, "0"},
      {"Start", go, kStarted, "0"},
      {"tick", tick, kStarted, "1"},
      {"single step while running", step, kStarted, "2"},
      {"tick", tick, kStarted, "3"},
      {"Pause", go, kPaused, "3"},
      {"time passes while paused", tick, kPaused, "3"},
      {"single step while paused", step, kPaused, "4"},
      {"Continue", go, kContinued, "4"},
      {"tick", tick, kContinued, "5"},
      {"single step refused", step, kContinued, "5"},
      {"Pause", go, kPaused, "5"},
      {"Stop from paused", stop, kIdle, "0"},
      {"Stop refused in idle", stop, kIdle, "0"},
      {"single step from idle", step, kStepped, "1"},
      {"Continue", go, kContinuedAfterStep, "1"},
      {"tick", tick, kContinuedAfterStep, "2"},
      {"Pause", go, kPaused, "2"},
      {"Continue", go, kContinued, "2"},
      {"Stop from running", stop, kIdle, "0"},
      {"Start", go, kStarted, "0"},
      {"tick", tick, kStarted, "1"},
      {"Escape stops a run", escape, kIdle, "0"},
      {"single step from idle", step, kStepped, "1"},
      {"Escape stops a pause", escape, kIdle, "0"},
  };
  for (const Row& row : road) {
    row.act();
    SCOPED_TRACE(row.action);
    EXPECT_EQ(ConfigurationOf(w), row.after);
    EXPECT_EQ(w.lStep().Text(), row.frame);
    EXPECT_EQ(std::to_string(static_cast<int>(w.wNow)), row.frame);
    EXPECT_TRUE(w.pGo().Enabled());
    if (row.after == kIdle) {
      // Stop is a full reset: frame 0, both maxima from frame 0, one segment per polyline.
      EXPECT_TRUE(w.pGo().Default());
      EXPECT_EQ(w.lSaikiCountMax().Text(), "1");
      EXPECT_EQ(w.lSpeedMax().Text(), "0.00");
      EXPECT_EQ(w.wPath->Count(), 1);
      EXPECT_EQ(w.wPath2->Count(), 1);
    }
  }
}

TEST(RunStates, StartTakesTheTypedEccentricityThroughTheSlider) {
  FreshProgram program;
  MainWindow& w = program.Window();
  program.platform.FlushRepaints();
  w.tEccentricity().Type("0.5");
  EXPECT_EQ(program.platform.PendingRepaints(), 0u);  // typing redraws nothing
  EXPECT_EQ(w.wEccentricity, 0.866);
  w.pGo().Press();
  EXPECT_EQ(w.slEccentricity().Value(), 500);
  EXPECT_EQ(w.wEccentricity, 0.5);

  // The slider's own handler rewrites the text in whole thousandths before the animation reads it.
  w.pStop().Press();
  w.tEccentricity().Type("0.8666");
  w.pGo().Press();
  EXPECT_EQ(w.slEccentricity().Value(), 867);
  EXPECT_EQ(w.tEccentricity().Text(), "0.867");
  EXPECT_EQ(w.wEccentricity, 0.867);
  EXPECT_EQ(w.wNow, 0.0);
}

// The frame count is read at every step: the wrap follows it at once.
TEST(RunStates, TheWrapFollowsTheFrameCountOfEachStep) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
      {"1", {"1", "1", "1"}}, {"2.5", {"1", "2", "3", "1"}}, {"0", {"1", "1"}}, {"3", {"1", "2", "3", "1", "2"}}};
  for (const auto& [frames, shown] : rows) {
    SCOPED_TRACE(frames);
    FreshProgram program;
    MainWindow& w = program.Window();
    w.tDivision().Type(frames);
    std::vector<std::string> steps;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      w.pKomaokuri().Press();
      steps.push_back(w.lStep().Text());
    }
    EXPECT_EQ(steps, shown);
  }

  // Running after a single step from idle leaves the count editable.
  FreshProgram program;
  MainWindow& w = program.Window();
  w.pKomaokuri().Press();
  w.pGo().Press();
  w.tDivision().Type("3");
  program.Tick(3);
  EXPECT_EQ(w.lStep().Text(), "1");
}

TEST(RunStates, ARedrawAfterTheWrapShowsFrameZeroWhileTheLabelShowsTheLast) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.tDivision().Type("3");
  w.pGo().Press();
  program.Tick(3);
  EXPECT_EQ(CurveAt(w.wGroupGraph, 4).X, 3 * w.wScaleTime);
  EXPECT_EQ(w.wNow, 0.0);
  w.Resize(700, 559);
  EXPECT_EQ(CurveAt(w.wGroupGraph, 4).X, 0.0);
  EXPECT_EQ(w.lStep().Text(), "3");
  ASSERT_EQ(w.wPath->Count(), 1);
  EXPECT_EQ(CurveAt(w.wPath, 0).Y, CurveAt(w.wPath, 0).Y2);  // frame 0 again: along the bottom edge
  program.Tick();
  EXPECT_EQ(w.lStep().Text(), "1");
}

TEST(RunStates, TheSameCentreBoxInIdleWaitsForTheNextFrame) {
  FreshProgram program;
  MainWindow& w = program.Window();
  program.platform.FlushRepaints();
  const auto shown = w.wGroup;
  w.cSameCenter().Toggle();
  EXPECT_EQ(w.wShift, 0.866);
  EXPECT_EQ(w.wGroup, shown);
  EXPECT_EQ(program.platform.PendingRepaints(), 0u);
  w.pKomaokuri().Press();
  EXPECT_NE(w.wGroup, shown);
  EXPECT_EQ(w.wGroup->Count(), 10);
  EXPECT_EQ(CurveAt(w.wGroup, 9).X, 255.0);  // the radius vector starts at the origin
}

TEST(RunStates, TheEccentricitySliderWhileRunningRestartsTheGraphAtTheSameFrame) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.pGo().Press();
  program.Tick(5);
  w.slEccentricity().MoveTo(500);
  EXPECT_EQ(ConfigurationOf(w), kStarted);
  EXPECT_EQ(w.wEccentricity, 0.5);
  EXPECT_EQ(w.tEccentricity().Text(), "0.5");
  EXPECT_EQ(w.wNow, 5.0);
  ASSERT_EQ(w.wPath->Count(), 1);
  ASSERT_EQ(w.wPath2->Count(), 1);
  EXPECT_EQ(CurveAt(w.wPath, 0).X2, 5 * w.wScaleTime);
  EXPECT_EQ(w.lSaikiCountMax().Text(), w.lSaikiCount().Text());
  // The smaller e is behind the arc of the larger: a negative speed leaves the cleared maximum empty.
  EXPECT_EQ(w.lSpeed().Text().substr(0, 1), "-");
  EXPECT_EQ(w.lSpeedMax().Text(), "");
  program.Tick();
  EXPECT_EQ(w.wPath->Count(), 2);
  EXPECT_EQ(CurveAt(w.wPath, 1).X2, 6 * w.wScaleTime);
}

// Polylines emptied in mid-revolution fill from index 0; after the wrap frame j replaces index j
// while j is below the count; index 0 keeps the first frame drawn after the emptying.
TEST(RunStates, PolylinesEmptiedInMidRevolutionRefillByIndex) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.tDivision().Type("10");
  w.pGo().Press();
  program.Tick(4);
  w.Resize(700, 559);
  const auto frames_at = [&](const std::shared_ptr<framework::Group2D>& polyline) {
    std::vector<double> frames;
    for (int i = 0; i < polyline->Count(); ++i) frames.push_back(std::round(CurveAt(polyline, i).X2 / w.wScaleTime));
    return frames;
  };
  const std::vector<std::pair<int, std::vector<double>>> checkpoints = {
      {0, {4}},
      {6, {4, 5, 6, 7, 8, 9, 10}},
      {3, {4, 1, 2, 3, 8, 9, 10}},
      {7, {4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {10, {4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
  };
  for (const auto& [ticks, frames] : checkpoints) {
    program.Tick(ticks);
    SCOPED_TRACE("frame " + w.lStep().Text());
    EXPECT_EQ(frames_at(w.wPath), frames);
    EXPECT_EQ(frames_at(w.wPath2), frames);
  }
}

TEST(RunStates, TheTimerPeriodFollowsTheSpeedSliderAndTheFrameRateField) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.pGo().Press();
  program.platform.FlushRepaints();
  for (const auto& [value, period] : {std::pair{1, 1000}, {7, 143}, {30, 33}, {10, 100}}) {
    w.slSpeed().MoveTo(value);
    EXPECT_EQ(w.Timer1().Period(), period) << value;
    EXPECT_EQ(w.tFrameRate().Text(), std::to_string(value));
    EXPECT_EQ(program.platform.PendingRepaints(), 0u);  // no redraw
  }
  // The new period runs from the change.
  program.platform.AdvanceClock(99);
  EXPECT_EQ(w.lStep().Text(), "0");
  program.platform.AdvanceClock(1);
  EXPECT_EQ(w.lStep().Text(), "1");

  // A typed rate takes effect at the next reading of the fields.
  for (const auto& [text, period] : {std::pair{"24", 42}, {"2000", 1}, {"0.3", 3333}, {"-5", -200},
                                     {"0", 2147483647}, {"1e-9", 2147483647}}) {
    const std::int32_t before = w.Timer1().Period();
    w.tFrameRate().Type(text);
    EXPECT_EQ(w.Timer1().Period(), before);
    w.SetParmeter();
    EXPECT_EQ(w.Timer1().Period(), period) << text;
  }
}

// Every tick that the timer delivers is one step and one frame built, also when the event loop
// comes late and takes at once the ticks that fell due.
TEST(RunStates, EveryDeliveredTickIsOneStepAndOneFrame) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.tFrameRate().Type("1000");
  w.pGo().Press();
  ASSERT_EQ(w.Timer1().Period(), 1);
  const std::int32_t segments_at_start = w.wPath->Count();
  program.platform.AdvanceClock(15);  // 14 ms late
  EXPECT_EQ(w.lStep().Text(), "15");
  EXPECT_EQ(w.wPath->Count(), segments_at_start + 15);
  program.platform.AdvanceClock(50);  // 49 ms late: one tick, and the schedule starts again
  EXPECT_EQ(w.lStep().Text(), "16");
  program.platform.AdvanceClock(1);
  EXPECT_EQ(w.lStep().Text(), "17");
}

// A frame rate of 0 or less asks for no frames: Start still starts the run, in which nothing
// moves, and Pause, Continue and Stop work as ever.
TEST(RunStates, AFrameRateOfZeroOrLessRunsWithoutMoving) {
  for (const char* rate : {"-5", "0"}) {
    FreshProgram program;
    MainWindow& w = program.Window();
    w.tFrameRate().Type(rate);
    w.pGo().Press();
    SCOPED_TRACE(rate);
    EXPECT_EQ(ConfigurationOf(w), kStarted);
    const auto time_passes = [&] {
      for (int i = 0; i < 100; ++i) program.platform.AdvanceClock(1);
      program.platform.AdvanceClock(1'000'000);
    };
    time_passes();
    EXPECT_EQ(w.lStep().Text(), "0");
    w.pGo().Press();
    EXPECT_EQ(ConfigurationOf(w), kPaused);
    w.pGo().Press();
    EXPECT_EQ(ConfigurationOf(w), kContinued);
    time_passes();
    EXPECT_EQ(w.lStep().Text(), "0");
    w.pStop().Press();
    EXPECT_EQ(ConfigurationOf(w), kIdle);
  }
}

}  // namespace
