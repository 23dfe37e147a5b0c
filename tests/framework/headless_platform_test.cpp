#include "framework/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls.hpp"
#include "framework/delegate.hpp"
#include "framework/object2d.hpp"
#include "framework/runtime.hpp"
#include "framework/timer.hpp"
#include "framework/window.hpp"
#include "model_test_support.hpp"

namespace {

using framework::Canvas;
using framework::Control;
using framework::Delegate;
using framework::EventArguments;
using framework::Timer;
using model_test::HeadlessRun;

// A shown window with two timers and a canvas, as the program's main window has.
class ClockWindow : public framework::Window {
 public:
  std::string_view ClassName() const override { return "ClockWindow.ClockWindow"; }
  Timer& Timer1() const { return framework::RuntimeCheckCast<Timer>(ControlByName("Timer1")); }
  Timer& Timer2() const { return framework::RuntimeCheckCast<Timer>(ControlByName("Timer2")); }
  Canvas& Canvas1() const { return framework::RuntimeCheckCast<Canvas>(ControlByName("Canvas1")); }

 protected:
  void Layout() override {
    SetProperty("Width", std::int32_t{300});
    SetProperty("Height", std::int32_t{200});
    SetProperty("Visible", true);
  }
  void CreateControls() override {
    for (const char* name : {"Timer1", "Timer2"}) {
      AddControl(name, New<Timer>());
      // Both stay off until a test starts one.
      Timer& timer = framework::RuntimeCheckCast<Timer>(ControlByName(name));
      timer.SetMode(2);
      timer.SetEnabled(false);
    }
    AddControl("Canvas1", New<Canvas>());
    Canvas1().SetWidth(120);
    Canvas1().SetHeight(80);
  }
};

class HeadlessClock : public HeadlessRun {
 protected:
  void SetUp() override {
    HeadlessRun::SetUp();
    window = std::make_shared<ClockWindow>();
    window->Constructor();
  }

  // Records the virtual time of every tick of `timer`, and runs `also` after recording.
  std::vector<std::int64_t>& Watch(Timer& timer, std::function<void(Timer&)> also = {}) {
    auto& times = tick_times.emplace_back();
    timer.AddEventHandler("Action", Delegate("( Timer )", [this, &times, also](Control& sender, const EventArguments&) {
                            times.push_back(platform.Now());
                            if (also) also(static_cast<Timer&>(sender));
                          }));
    return times;
  }

  // Mode 2 with `period_ms`, switched on now.
  static void Start(Timer& timer, std::int32_t period_ms) {
    timer.SetMode(2);
    timer.SetPeriod(period_ms);
    timer.SetEnabled(true);
  }

  // A window of its own for one row of a table, its Timer1 watched and started now with
  // `period_ms`. The row closes the window when it is done.
  struct Watched {
    std::shared_ptr<ClockWindow> window;
    std::vector<std::int64_t>& times;
    std::int64_t start;
  };
  Watched StartWatched(std::int32_t period_ms) {
    auto fresh = std::make_shared<ClockWindow>();
    fresh->Constructor();
    auto& times = Watch(fresh->Timer1());
    const std::int64_t start = platform.Now();
    Start(fresh->Timer1(), period_ms);
    return {fresh, times, start};
  }

  // Lets the clock reach `ms` a millisecond at a time, the event loop waiting: every tick comes on
  // time, unless a handler is slow.
  void WaitUntil(std::int64_t ms) {
    while (platform.Now() < ms) platform.AdvanceClock(1);
  }

  std::shared_ptr<ClockWindow> window;
  std::deque<std::vector<std::int64_t>> tick_times;
};

TEST_F(HeadlessClock, ARepeatingTimerTicksOncePerPeriodWhileTheLoopWaits) {
  struct Row {
    std::int32_t period_ms;
    std::int64_t step_ms;
    std::int32_t steps;
    std::size_t expected_ticks;
  };
  const Row rows[] = {
      {41, 1, 1000, 24},  // 24 frames a second: 41 ms, last tick at 984 ms
      {41, 7, 143, 24},   // 1001 ms in uneven steps: each tick when the loop next looks
      {41, 41, 24, 24},
      {1000, 999, 1, 0},
      {1000, 1000, 1, 1},
      {0, 1, 100, 0},  // a period of 0 or less gives no ticks
      {-5, 1, 100, 0},
      {-200, 1000, 1, 0},
  };
  for (const Row& row : rows) {
    const auto [fresh, times, start] = StartWatched(row.period_ms);
    for (std::int32_t i = 0; i < row.steps; ++i) platform.AdvanceClock(row.step_ms);
    EXPECT_EQ(times.size(), row.expected_ticks) << "period " << row.period_ms << ", step " << row.step_ms;
    if (row.period_ms == 41 && row.step_ms == 1 && times.size() == 24) {
      EXPECT_EQ(times.front() - start, 41);
      EXPECT_EQ(times.back() - start, 984);
    }
    fresh->Close();
  }
}

// The loop away for a while: a timer at most 20 ms behind its schedule takes every tick that fell
// due, further behind a single one, and the schedule starts again from then.
TEST_F(HeadlessClock, ALateLoopCatchesUpWithin20MsAndOtherwiseStartsTheScheduleAgain) {
  struct Row {
    std::int32_t period_ms;
    std::int64_t away_ms;
    std::size_t ticks;
    std::int64_t next_due;  // after the start at 0
  };
  const Row rows[] = {
      {1, 15, 15, 16},    // 14 ms behind
      {1, 21, 21, 22},    // the first due tick 20 ms behind: still on the schedule
      {1, 22, 1, 23},     // 21 ms behind
      {1, 50, 1, 51},
      {10, 30, 3, 40},
      {10, 31, 1, 41},
      {41, 1000, 1, 1041},
      {1000, 1015, 1, 2000},
  };
  for (const Row& row : rows) {
    const auto [fresh, times, start] = StartWatched(row.period_ms);
    platform.AdvanceClock(row.away_ms);
    SCOPED_TRACE("period " + std::to_string(row.period_ms) + ", away " + std::to_string(row.away_ms));
    EXPECT_EQ(times, std::vector<std::int64_t>(row.ticks, start + row.away_ms));
    platform.AdvanceClock(row.next_due - row.away_ms - 1);
    EXPECT_EQ(times.size(), row.ticks);
    platform.AdvanceClock(1);
    EXPECT_EQ(times.size(), row.ticks + 1);
    fresh->Close();
  }
}

TEST_F(HeadlessClock, TicksThatFellDueComeInOrderAndAHandlerThatStopsTheTimerEndsTheCatchUp) {
  std::string order;
  Watch(window->Timer2(), [&order](Timer&) { order += '2'; });
  Watch(window->Timer1(), [&order](Timer& timer) {
    order += '1';
    if (order.size() == 3) timer.SetEnabled(false);
  });
  Start(window->Timer2(), 10);
  Start(window->Timer1(), 5);
  platform.AdvanceClock(20);
  // Due at 5 (1), 10 (2, started first, then 1, which stops itself), 20 (2).
  EXPECT_EQ(order, "1212");
  platform.AdvanceClock(30);
  EXPECT_EQ(order, "1212222");
}

TEST_F(HeadlessClock, OnlyARunningTimerTicks) {
  auto& disabled = Watch(window->Timer1());
  window->Timer1().SetPeriod(10);
  auto& once = Watch(window->Timer2());
  window->Timer2().SetMode(1);
  window->Timer2().SetPeriod(10);
  window->Timer2().SetEnabled(true);
  WaitUntil(100);
  EXPECT_TRUE(disabled.empty());
  EXPECT_EQ(once, (std::vector<std::int64_t>{10}));

  Start(window->Timer1(), 10);
  window->Timer1().SetMode(0);
  WaitUntil(200);
  EXPECT_TRUE(disabled.empty());

  // A period that turns 0 or less stops the ticks; a period above 0 starts them again from then.
  Start(window->Timer1(), 10);
  WaitUntil(225);
  window->Timer1().SetPeriod(0);
  WaitUntil(260);
  window->Timer1().SetPeriod(-200);
  WaitUntil(300);
  window->Timer1().SetPeriod(10);
  WaitUntil(320);
  EXPECT_EQ(disabled, (std::vector<std::int64_t>{210, 220, 310, 320}));
}

TEST_F(HeadlessClock, ChangesRestartThePeriodFromNow) {
  auto& times = Watch(window->Timer1());
  Start(window->Timer1(), 100);
  WaitUntil(60);
  window->Timer1().SetEnabled(false);
  WaitUntil(70);
  window->Timer1().SetEnabled(true);
  WaitUntil(270);
  EXPECT_EQ(times, (std::vector<std::int64_t>{170, 270}));

  WaitUntil(300);
  window->Timer1().Reset();
  WaitUntil(450);
  window->Timer1().SetPeriod(50);
  WaitUntil(550);
  EXPECT_EQ(times, (std::vector<std::int64_t>{170, 270, 400, 500, 550}));
}

TEST_F(HeadlessClock, AHandlerThatSwitchesTheTimerOffStopsIt) {
  auto& times = Watch(window->Timer1(), [](Timer& timer) { timer.SetEnabled(false); });
  Start(window->Timer1(), 41);
  WaitUntil(1000);
  EXPECT_EQ(times, (std::vector<std::int64_t>{41}));
}

// A handler that moves the clock is slow. The ticks due when the loop woke still come; those that
// fell due while the handler ran come at the loop's next turn: all of them when they are at most
// 20 ms late, otherwise one late tick from which the schedule starts again.
TEST_F(HeadlessClock, TicksHeldUpByASlowHandlerFollowWithin20MsAndOtherwiseComeAsOneLateTick) {
  struct Row {
    std::int64_t slow_ms;
    std::vector<std::int64_t> first, second;
  };
  const std::vector<Row> rows = {
      {35, {10, 46, 56, 66, 76, 86, 96}, {45, 55, 65, 75, 85, 95}},
      {15, {10, 26, 30, 40, 50, 60, 70, 80, 90, 100}, {25, 26, 30, 40, 50, 60, 70, 80, 90, 100}},
  };
  for (const Row& row : rows) {
    auto fresh = std::make_shared<ClockWindow>();
    fresh->Constructor();
    const std::int64_t start = platform.Now();
    bool slow = true;
    auto& first = Watch(fresh->Timer1(), [this, &slow, &row](Timer&) {
      if (slow) platform.AdvanceClock(row.slow_ms);
      slow = false;
    });
    auto& second = Watch(fresh->Timer2());
    Start(fresh->Timer1(), 10);
    Start(fresh->Timer2(), 10);
    WaitUntil(start + 100);
    const auto since_start = [start](std::vector<std::int64_t> times) {
      for (auto& time : times) time -= start;
      return times;
    };
    SCOPED_TRACE("slow by " + std::to_string(row.slow_ms));
    EXPECT_EQ(since_start(first), row.first);
    EXPECT_EQ(since_start(second), row.second);
    fresh->Close();
  }
}

// A handler slower than its timer's period, on every tick: each turn of the loop takes the ticks
// due when it woke and ends, instead of chasing the ticks that fall due meanwhile for ever.
TEST_F(HeadlessClock, AHandlerSlowerThanItsPeriodLetsEveryTurnOfTheLoopEnd) {
  std::int32_t ticks = 0;
  Watch(window->Timer1(), [this, &ticks](Timer& timer) {
    platform.AdvanceClock(3);
    if (++ticks == 1000) timer.SetEnabled(false);  // ends a loop that never stops by itself
  });
  Start(window->Timer1(), 1);
  std::vector<std::int32_t> per_turn;
  for (int turn = 0; turn < 8; ++turn) {
    const std::int32_t before = ticks;
    platform.AdvanceClock(1);
    per_turn.push_back(ticks - before);
  }
  EXPECT_EQ(per_turn, (std::vector<std::int32_t>{1, 4, 6, 4, 6, 4, 6, 4}));
}

TEST_F(HeadlessClock, TimersDueTogetherTickInTheOrderTheyWereStarted) {
  std::string order;
  Watch(window->Timer2(), [&order](Timer&) { order += '2'; });
  Watch(window->Timer1(), [&order](Timer&) { order += '1'; });
  Start(window->Timer2(), 10);
  Start(window->Timer1(), 5);
  WaitUntil(30);
  EXPECT_EQ(order, "121121121");
}

TEST_F(HeadlessClock, TheTimersOfAClosedWindowStop) {
  auto& times = Watch(window->Timer1());
  Start(window->Timer1(), 10);
  WaitUntil(25);
  window->Close();
  WaitUntil(125);
  EXPECT_EQ(times, (std::vector<std::int64_t>{10, 20}));
}

// A hidden window's timer stops and starts again as a shown one's does; the window stays hidden.
TEST_F(HeadlessClock, AHiddenWindowsTimerStopsAndStartsAgainAsAShownOnes) {
  using Change = std::function<void(Timer&)>;
  const struct {
    const char* what;
    Change change, undo;
  } rows[] = {
      {"disabled", [](Timer& t) { t.SetEnabled(false); }, [](Timer& t) { t.SetEnabled(true); }},
      {"period 0", [](Timer& t) { t.SetPeriod(0); }, [](Timer& t) { t.SetPeriod(10); }},
      {"period below 0", [](Timer& t) { t.SetPeriod(-5); }, [](Timer& t) { t.SetPeriod(10); }},
      {"Mode 0", [](Timer& t) { t.SetMode(0); }, [](Timer& t) { t.SetMode(2); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto [fresh, times, start] = StartWatched(10);
    WaitUntil(start + 10);
    fresh->SetProperty("Visible", false);
    row.change(fresh->Timer1());
    WaitUntil(start + 25);
    row.undo(fresh->Timer1());
    WaitUntil(start + 55);
    for (auto& time : times) time -= start;
    EXPECT_EQ(times, (std::vector<std::int64_t>{10, 35, 45, 55}));
    fresh->Close();
  }
}

// A timer whose window went away without being closed is found stopped at a wake-up; the other
// timers due at that wake-up still tick in it.
TEST_F(HeadlessClock, AWakeUpGoesOnPastATimerThatNoLongerRuns) {
  auto gone = std::make_shared<ClockWindow>();
  gone->Constructor();
  const std::shared_ptr<Control> orphan = gone->ControlPointer("Timer1");
  auto& orphan_times = Watch(gone->Timer1());
  Start(gone->Timer1(), 10);
  auto& times = Watch(window->Timer1());
  Start(window->Timer1(), 10);
  framework::UnregisterOpenWindow(*gone);
  gone.reset();
  platform.AdvanceClock(10);
  EXPECT_TRUE(orphan_times.empty());
  EXPECT_EQ(times, (std::vector<std::int64_t>{10}));
}

TEST_F(HeadlessClock, ATimerRunningBeforeItsWindowIsShownTicksFromTheShow) {
  class EarlyTimerWindow : public framework::Window {
   public:
    std::string_view ClassName() const override { return "Early.Early"; }

   protected:
    void Layout() override { SetProperty("Visible", true); }
    void CreateControls() override {
      AddControl("Timer1", New<Timer>());
      auto& timer = framework::RuntimeCheckCast<Timer>(ControlByName("Timer1"));
      timer.SetMode(2);
      timer.SetPeriod(10);
    }
  };
  platform.AdvanceClock(5);
  auto early = std::make_shared<EarlyTimerWindow>();
  early->Constructor();
  auto& times = Watch(framework::RuntimeCheckCast<Timer>(early->ControlByName("Timer1")));
  WaitUntil(35);
  EXPECT_EQ(times, (std::vector<std::int64_t>{15, 25, 35}));
}

using HeadlessRepaint = HeadlessClock;

TEST_F(HeadlessRepaint, RefreshesBeforeAFlushPaintOnceOnTheWholeCanvas) {
  std::vector<framework::Rect> areas_seen;
  auto mark = std::make_shared<framework::CurveShape>();
  mark->X2 = 10;
  Canvas& canvas = window->Canvas1();
  canvas.AddEventHandler("Paint", Delegate("( Canvas, Graphics, Rect() )",
                                           [&](Control& sender, const EventArguments& arguments) {
                                             areas_seen = *arguments.areas;
                                             // The canvas's own surface is the one being painted.
                                             static_cast<Canvas&>(sender).Graphics().DrawObject(*mark, 1, 2);
                                           }));
  platform.FlushRepaints();
  EXPECT_EQ(platform.PaintCount(canvas), 0);
  EXPECT_TRUE(platform.LastPaint(canvas).empty());

  canvas.Refresh();
  canvas.Refresh(false);
  EXPECT_EQ(platform.PendingRepaints(), 1u);
  platform.FlushRepaints();
  EXPECT_EQ(platform.PendingRepaints(), 0u);
  EXPECT_EQ(platform.PaintCount(canvas), 1);
  EXPECT_EQ(areas_seen, (std::vector<framework::Rect>{{0, 0, 120, 80}}));
  const std::vector<framework::DrawnPrimitive> expected{
      {framework::DrawnPrimitive::Kind::Line, 1, 2, 11, 2, framework::ShapeStyle{}}};
  EXPECT_EQ(platform.LastPaint(canvas), expected);

  // Nothing asked: nothing painted, and the last record stays.
  platform.FlushRepaints();
  EXPECT_EQ(platform.PaintCount(canvas), 1);
  EXPECT_EQ(platform.LastPaint(canvas), expected);
}

TEST_F(HeadlessRepaint, ARefreshDuringAPaintWaitsForTheNextFlush) {
  Canvas& canvas = window->Canvas1();
  canvas.AddEventHandler("Paint", Delegate("( Canvas, Graphics, Rect() )", [](Control& sender, const EventArguments&) {
                           static_cast<Canvas&>(sender).Refresh();
                         }));
  canvas.Refresh();
  platform.FlushRepaints();
  EXPECT_EQ(platform.PaintCount(canvas), 1);
  EXPECT_EQ(platform.PendingRepaints(), 1u);
  platform.FlushRepaints();
  EXPECT_EQ(platform.PaintCount(canvas), 2);
}

TEST_F(HeadlessRepaint, AClosedWindowIsNotPainted) {
  Canvas& canvas = window->Canvas1();
  canvas.Refresh();
  window->Close();
  platform.FlushRepaints();
  EXPECT_EQ(platform.PaintCount(canvas), 0);
  EXPECT_EQ(platform.PendingRepaints(), 0u);
}

}  // namespace
