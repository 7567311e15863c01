#include "render/FrameTimes.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <numeric>

void FrameTimes::Tick() {
  const std::uint64_t now = SDL_GetPerformanceCounter();
  if (mLast != 0) {
    mMilliseconds.push_back(static_cast<double>(now - mLast) * 1000.0 /
                            static_cast<double>(SDL_GetPerformanceFrequency()));
  }
  mLast = now;
}

std::string FrameTimes::Report() const {
  if (mMilliseconds.empty()) return "";
  std::vector<double> sorted = mMilliseconds;
  std::sort(sorted.begin(), sorted.end());
  const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(sorted.size());
  const double p95 = sorted[std::min(sorted.size() - 1, sorted.size() * 95 / 100)];
  char text[160];
  std::snprintf(text, sizeof text, "%zu frames, mean %.1f ms, 95th percentile %.1f ms, %.0f frames per second",
                sorted.size() + 1, mean, p95, mean > 0.0 ? 1000.0 / mean : 0.0);
  return text;
}
