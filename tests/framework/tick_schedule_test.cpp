// The schedule of a repeating timer at the Qt platform's resolution, nanoseconds: the edges of
// "due" and of "at most 20 ms behind".

#include "framework/tick_schedule.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;
using Schedule = framework::TickSchedule<nanoseconds>;

TEST(TickSchedule, ATickIsDueFromItsTimeOnAndThePeriodOfZeroOrLessGivesNone) {
  Schedule schedule;
  EXPECT_FALSE(schedule.Due(nanoseconds::max()));
  for (const nanoseconds period : {nanoseconds(0), nanoseconds(-1), nanoseconds(milliseconds(-200))}) {
    schedule.Start(nanoseconds(5), period);
    EXPECT_FALSE(schedule.Active());
    EXPECT_FALSE(schedule.Due(nanoseconds(milliseconds(1000)))) << period.count();
  }
  schedule.Start(milliseconds(5), milliseconds(1));
  EXPECT_FALSE(schedule.Due(milliseconds(6) - nanoseconds(1)));
  EXPECT_TRUE(schedule.Due(milliseconds(6)));
  schedule.Stop();
  EXPECT_FALSE(schedule.Due(milliseconds(6)));
}

TEST(TickSchedule, ATickTakenAtMost20MsLateKeepsTheScheduleAndLaterStartsItAgain) {
  struct Row {
    nanoseconds taken_at;  // the first tick is due at 1 ms
    nanoseconds next_due;
  };
  const Row rows[] = {
      {milliseconds(1), milliseconds(2)},
      {milliseconds(1) + nanoseconds(999'999), milliseconds(2)},
      {milliseconds(21), milliseconds(2)},
      {milliseconds(21) + nanoseconds(1), milliseconds(22) + nanoseconds(1)},
      {milliseconds(500), milliseconds(501)},
  };
  for (const Row& row : rows) {
    Schedule schedule;
    schedule.Start(nanoseconds(0), milliseconds(1));
    ASSERT_TRUE(schedule.Due(row.taken_at));
    schedule.TakeTick(row.taken_at);
    EXPECT_EQ(schedule.NextDue(), row.next_due) << row.taken_at.count();
  }
}

}  // namespace
