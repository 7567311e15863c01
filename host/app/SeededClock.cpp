#include "app/SeededClock.h"

SeededClock::SeededClock(std::int64_t calendarStart) : mCalendarStart(calendarStart), mStartMs(mReal.Milliseconds()) {}

std::int64_t SeededClock::CalendarSeconds() { return mCalendarStart + (mReal.Milliseconds() - mStartMs) / 1000; }
