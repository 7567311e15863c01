#pragma once
#include <cstdint>

#include "platform/Clock.h"

// Real time for the frame loop, but calendar seconds that start at a seed, so
// that a real-time match floods the same rooms as a fast one with that seed.
class SeededClock final : public Platform::Clock {
 public:
  explicit SeededClock(std::int64_t calendarStart);
  std::int64_t Milliseconds() override { return mReal.Milliseconds(); }
  void SleepMilliseconds(std::uint32_t ms) override { mReal.SleepMilliseconds(ms); }
  std::int64_t CalendarSeconds() override;

 private:
  Platform::SystemClock mReal;
  std::int64_t mCalendarStart;
  std::int64_t mStartMs;
};
