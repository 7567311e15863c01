#include "replay/DivergenceWatch.h"

#include <cstdio>

#include "replay/MatchRecorder.h"
#include "replay/WorldProbe.h"

void DivergenceWatch::First(std::size_t frame, float gameTime, const std::string& what) {
  if (mFirst) return;
  mFirst = frame;
  mFirstTime = gameTime;
  mWhat = what;
}

void DivergenceWatch::Check(std::size_t frame, const Recording::Frame& recorded, float gameTime) {
  if (mDone) return;
  const WorldState state = WorldProbe::Capture();
  if (state.Hash() != recorded.stateHash) First(frame, gameTime, "the world state differs");
  if (recorded.checkpoint) {
    const auto differences = state.Compare(*recorded.checkpoint);
    if (!differences.empty()) {
      First(frame, gameTime, "the world state differs");
      mCheckpoint = frame;
      mDifferences = WorldProbe::Describe(differences);
      mDone = true;
    }
  }
  // No checkpoint came in time to say what differs.
  if (mFirst && frame > *mFirst + MatchRecorder::kCheckpointEvery) mDone = true;
}

void DivergenceWatch::Note(std::size_t frame, float gameTime, const std::string& what) {
  if (mDone) return;
  First(frame, gameTime, what);
  mDone = true;
}

std::string DivergenceWatch::Report() const {
  if (!mFirst) return "";
  char head[200];
  std::snprintf(head, sizeof head, "the replay diverges from the recording at frame %zu (game time %.2f s): ", *mFirst,
                static_cast<double>(mFirstTime));
  std::string report = head + mWhat + '\n';
  if (mCheckpoint) {
    report += (*mCheckpoint == *mFirst ? "What differs:\n"
                                       : "What differs at frame " + std::to_string(*mCheckpoint) + ", the next checkpoint:\n") +
              mDifferences;
  }
  return report;
}
