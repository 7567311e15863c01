#include "replay/RecordingClock.h"

#include "replay/MatchRecorder.h"

std::int64_t RecordingClock::Milliseconds() {
  const std::int64_t now = mInner.Milliseconds();
  mRecorder.OnClockReading(Recording::Item::Kind::Milliseconds, now);
  return now;
}

std::int64_t RecordingClock::CalendarSeconds() {
  const std::int64_t now = mInner.CalendarSeconds();
  mRecorder.OnClockReading(Recording::Item::Kind::CalendarSeconds, now);
  return now;
}
