#pragma once
#include <string>
#include <vector>

#include "replay/WorldState.h"

// Reads the world state of the engine's live objects: every object's
// position, and for each player its view and statistics. Objects are
// numbered by their place in the registry, from 1.
class WorldProbe {
 public:
  [[nodiscard]] static WorldState Capture();
  // One line per difference (at most `limit`, then a count), naming the
  // objects as the live level does.
  [[nodiscard]] static std::string Describe(const std::vector<WorldState::Difference>& differences,
                                            std::size_t limit = 12);
};
