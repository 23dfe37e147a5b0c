// The tick schedule at the ends of the clock's range: a clock may read anything its type holds (a
// test clock, a clock that jumps), and no sum of a time and a period may overflow on the way.

#include "framework/tick_schedule.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;
using std::chrono::seconds;

constexpr nanoseconds kMin = nanoseconds::min();
constexpr nanoseconds kMax = nanoseconds::max();

// A faulty schedule may stay due for ever; a platform that takes this many ticks in one wake-up
// has shown the fault.
constexpr int kMostTicksTaken = 100;

// How many ticks a platform waking at each of `wakes` takes, as the platforms do: while one is due.
std::vector<int> TicksTaken(nanoseconds start, nanoseconds period, const std::vector<nanoseconds>& wakes) {
  framework::TickSchedule<nanoseconds> schedule;
  schedule.Start(start, period);
  std::vector<int> taken;
  for (const nanoseconds now : wakes) {
    int ticks = 0;
    while (ticks < kMostTicksTaken && schedule.Due(now)) {
      schedule.TakeTick(now);
      ++ticks;
    }
    taken.push_back(ticks);
  }
  return taken;
}

TEST(TickSchedule, NoTimeOrPeriodRunsPastTheClocksRange) {
  struct Row {
    std::string what;
    nanoseconds start;
    nanoseconds period;
    std::vector<nanoseconds> wakes;
    std::vector<int> ticks;
  };
  const std::vector<Row> rows = {
      {"on time, then 15 ms late: the late ticks follow", nanoseconds{0}, milliseconds{10},
       {milliseconds{10}, milliseconds{20}, milliseconds{45}, milliseconds{55}}, {1, 1, 2, 1}},
      {"the first tick would fall due past the clock's end", kMax - milliseconds{1}, seconds{1},
       {kMax - milliseconds{1}, kMax}, {0, 0}},
      {"the schedule runs into the clock's end", kMax - milliseconds{30}, milliseconds{10},
       {kMax - milliseconds{20}, kMax - milliseconds{10}, kMax}, {1, 1, 0}},
      {"the clock jumps across its whole range: one tick, then none", kMin, milliseconds{1}, {kMax, kMax}, {1, 0}},
      {"a period of 0 or less at either end of the clock", kMin, milliseconds{-1}, {kMin, kMax}, {0, 0}},
      {"a period of exactly 0 never falls due, not even at its start", nanoseconds{0}, nanoseconds{0},
       {nanoseconds{0}, seconds{1}}, {0, 0}},
      {"the least period at either end", kMin, nanoseconds{1}, {kMin, kMin + nanoseconds{1}}, {0, 1}},
      {"the longest period the clock holds", kMin, kMax, {nanoseconds{-1}, kMax}, {1, 1}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TicksTaken(row.start, row.period, row.wakes), row.ticks) << row.what;
  }
}

}  // namespace
