#include "replay/ReplayClock.h"

#include <algorithm>

ReplayClock::ReplayClock(const Recording& recording) {
  for (const Recording::Frame& frame : recording.frames) {
    mMilliseconds.emplace_back();
    mCalendar.emplace_back();
    for (const Recording::Item& item : frame.items) {
      if (item.kind == Recording::Item::Kind::Milliseconds) mMilliseconds.back().push_back(item.clock);
      if (item.kind == Recording::Item::Kind::CalendarSeconds) mCalendar.back().push_back(item.clock);
    }
    const bool none = mMilliseconds.back().empty();
    mFrameStart.push_back(!none ? mMilliseconds.back().front() : mFrameStart.empty() ? 0 : mFrameStart.back());
  }
}

std::string ReplayClock::FinishFrame() const {
  if (!mProblem.empty() || mFrame >= mMilliseconds.size()) return mProblem;
  if (mMsAt < mMilliseconds[mFrame].size()) return "fewer frame-millisecond readings than recorded";
  if (mCalendarAt < mCalendar[mFrame].size()) return "fewer calendar-second readings than recorded";
  return "";
}

void ReplayClock::StartFrame(std::size_t frame) {
  mProblem.clear();
  mFrame = frame;
  mMsAt = 0;
  mCalendarAt = 0;
}

std::int64_t ReplayClock::Next(const Readings& readings, std::size_t& at, std::int64_t& last, const char* what) {
  if (mFrame >= readings.size()) return last;
  if (at >= readings[mFrame].size()) {
    if (mProblem.empty()) mProblem = std::string("more ") + what + " readings than recorded";
    return last;
  }
  last = readings[mFrame][at++];
  return last;
}

std::int64_t ReplayClock::RecordedSpan(std::size_t frame) const {
  if (mFrameStart.empty()) return 0;
  return mFrameStart[std::min(frame, mFrameStart.size() - 1)] - mFrameStart.front();
}
