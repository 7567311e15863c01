#include "platform/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace Platform {

namespace {
SystemClock& DefaultClock() {
  static SystemClock clock;
  return clock;
}
Clock*& Installed() {
  static Clock* clock = nullptr;
  return clock;
}
}  // namespace

std::int64_t SystemClock::Milliseconds() {
  // Monotonic wall time: the frame loop paces real frames, not CPU time.
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

void SystemClock::SleepMilliseconds(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::int64_t SystemClock::CalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

void VirtualClock::SleepMilliseconds(std::uint32_t ms) {
  mNow += ms;
  mSlept += ms;
  mLastSleep = ms;
  ++mSleepCount;
}

Clock& GetClock() {
  Clock* installed = Installed();
  return installed != nullptr ? *installed : DefaultClock();
}

void SetClock(Clock* clock) { Installed() = clock; }

}  // namespace Platform
