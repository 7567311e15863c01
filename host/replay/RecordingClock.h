#pragma once
#include <cstdint>

#include "platform/Clock.h"

class MatchRecorder;

// The clock in use, with every reading the engine takes of it told to the
// recorder: frame milliseconds and the calendar seconds that seed the guns'
// spread and the flood order. Sleeping is the wrapped clock's.
class RecordingClock final : public Platform::Clock {
 public:
  RecordingClock(Platform::Clock& inner, MatchRecorder& recorder) : mInner(inner), mRecorder(recorder) {}
  std::int64_t Milliseconds() override;
  void SleepMilliseconds(std::uint32_t ms) override { mInner.SleepMilliseconds(ms); }
  std::int64_t CalendarSeconds() override;

 private:
  Platform::Clock& mInner;
  MatchRecorder& mRecorder;
};
