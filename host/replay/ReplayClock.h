#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "replay/Recording.h"

// Serves a recording's clock readings: in each frame, the frame milliseconds
// and calendar seconds in the order they were read. Sleeping costs nothing.
// A frame that reads the clock more often than when recorded gets the last
// reading again and the fact is kept for the divergence report.
class ReplayClock final : public Platform::Clock {
 public:
  explicit ReplayClock(const Recording& recording);

  // What went wrong with the readings of the frame that ends: "" when nothing.
  [[nodiscard]] std::string FinishFrame() const;
  // Readings from now on are the frame's. Past the last frame the last
  // readings repeat, without complaint.
  void StartFrame(std::size_t frame);

  std::int64_t Milliseconds() override { return Next(mMilliseconds, mMsAt, mLastMs, "frame milliseconds"); }
  void SleepMilliseconds(std::uint32_t /*ms*/) override {}
  std::int64_t CalendarSeconds() override {
    return Next(mCalendar, mCalendarAt, mLastCalendar, "calendar seconds");
  }

  // The recorded milliseconds between the first reading and the first of `frame`.
  [[nodiscard]] std::int64_t RecordedSpan(std::size_t frame) const;

 private:
  using Readings = std::vector<std::vector<std::int64_t>>;
  std::int64_t Next(const Readings& readings, std::size_t& at, std::int64_t& last, const char* what);

  Readings mMilliseconds;
  Readings mCalendar;
  // The first frame-millisecond reading of each frame, or the one before.
  std::vector<std::int64_t> mFrameStart;
  std::size_t mFrame = 0;
  std::size_t mMsAt = 0;
  std::size_t mCalendarAt = 0;
  std::int64_t mLastMs = 0;
  std::int64_t mLastCalendar = 0;
  std::string mProblem;
};
