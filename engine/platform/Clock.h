#pragma once
#include <cstdint>

#include "platform/Export.h"

namespace Platform {

// Time as the engine sees it: a millisecond clock for the frame loop, a
// millisecond sleep for pacing, and calendar seconds that seed the random
// generators. The host or a test may install another clock, for instance a
// VirtualClock, so that pacing and randomness become deterministic.
class TW_API Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual std::int64_t Milliseconds() = 0;
  virtual void SleepMilliseconds(std::uint32_t ms) = 0;
  [[nodiscard]] virtual std::int64_t CalendarSeconds() = 0;
};

// Monotonic wall time and a real sleep.
class TW_API SystemClock final : public Clock {
 public:
  std::int64_t Milliseconds() override;
  void SleepMilliseconds(std::uint32_t ms) override;
  std::int64_t CalendarSeconds() override;
};

// Time that moves only when told to: sleeping advances it at once, so a test
// or the host's fast mode runs whole matches without waiting.
class TW_API VirtualClock final : public Clock {
 public:
  explicit VirtualClock(std::int64_t calendarSeconds = 0) : mCalendar(calendarSeconds) {}
  std::int64_t Milliseconds() override { return mNow; }
  void SleepMilliseconds(std::uint32_t ms) override;
  std::int64_t CalendarSeconds() override { return mCalendar + mNow / 1000; }

  void Advance(std::int64_t ms) { mNow += ms; }
  void SetCalendarSeconds(std::int64_t seconds) { mCalendar = seconds; }
  [[nodiscard]] std::int64_t TotalSlept() const { return mSlept; }
  [[nodiscard]] std::uint32_t LastSleep() const { return mLastSleep; }
  [[nodiscard]] std::uint32_t SleepCount() const { return mSleepCount; }

 private:
  std::int64_t mNow = 0;
  std::int64_t mCalendar;
  std::int64_t mSlept = 0;
  std::uint32_t mLastSleep = 0;
  std::uint32_t mSleepCount = 0;
};

// The clock in use; a SystemClock until another one is installed.
TW_API Clock& GetClock();
// Installs a clock the caller keeps alive; nullptr restores the system clock.
TW_API void SetClock(Clock* clock);

}  // namespace Platform
