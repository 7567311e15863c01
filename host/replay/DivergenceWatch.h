#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "replay/Recording.h"

// Compares a replay with its recording frame by frame: the world state's
// hash every frame, the whole state at the recording's checkpoints, and
// anything else that came out differently. The first differing frame is
// kept; what differs is known at the first checkpoint from there on.
class DivergenceWatch {
 public:
  // The world now, at the end of `frame`, against that frame's record.
  void Check(std::size_t frame, const Recording::Frame& recorded, float gameTime);
  // Something other than the state differs at `frame`; the report is complete.
  void Note(std::size_t frame, float gameTime, const std::string& what);

  [[nodiscard]] bool Diverged() const { return mFirst.has_value(); }
  // Nothing more will be learnt by going on.
  [[nodiscard]] bool ShouldStop() const { return mDone; }
  [[nodiscard]] std::string Report() const;

 private:
  void First(std::size_t frame, float gameTime, const std::string& what);

  std::optional<std::size_t> mFirst;
  float mFirstTime = 0.0f;
  std::string mWhat;
  std::optional<std::size_t> mCheckpoint;
  std::string mDifferences;
  bool mDone = false;
};
