#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The wall time between frames of the window, for the report on exit.
class FrameTimes {
 public:
  // Called once per frame.
  void Tick();
  // "N frames, mean X ms, 95th percentile Y ms, Z frames per second"; empty
  // before two frames.
  [[nodiscard]] std::string Report() const;

 private:
  std::uint64_t mLast = 0;
  std::vector<double> mMilliseconds;
};
