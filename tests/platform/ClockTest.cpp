#include <gtest/gtest.h>

#include "platform/Clock.h"

namespace {

TEST(VirtualClockTest, SleepingAdvancesTimeAtOnceAndIsCounted) {
  Platform::VirtualClock clock(1'000);
  Platform::SetClock(&clock);
  Platform::Clock& installed = Platform::GetClock();

  const std::int64_t start = installed.Milliseconds();
  installed.SleepMilliseconds(13);
  installed.SleepMilliseconds(1'987);
  EXPECT_EQ(installed.Milliseconds() - start, 2'000);
  EXPECT_EQ(installed.CalendarSeconds(), 1'002);
  EXPECT_EQ(clock.TotalSlept(), 2'000);
  EXPECT_EQ(clock.LastSleep(), 1'987U);
  EXPECT_EQ(clock.SleepCount(), 2U);

  // Advancing is not sleeping.
  clock.Advance(500);
  EXPECT_EQ(installed.Milliseconds(), 2'500);
  EXPECT_EQ(clock.TotalSlept(), 2'000);

  Platform::SetClock(nullptr);
  EXPECT_NE(&Platform::GetClock(), &clock);
}

}  // namespace
