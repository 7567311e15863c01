#pragma once
#include <memory>

#include "objects/ComponentType.h"

class Match;

// The heads-up display drawn with Dear ImGui over the views: in each view its
// player's sprint bar, gun heat and mode, flare, key cards and power cells,
// and a banner once the player has drowned or escaped; across the top of the
// window, the rooms about to flood or flooding, by name.
class Hud {
 public:
  struct Area {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
  };

  explicit Hud(std::shared_ptr<Match> match) : mMatch(std::move(match)) {}

  // `area` is in window coordinates, top left origin.
  void DrawPlayer(unsigned int playerNumber, ObjectID player, Area area) const;
  void DrawFloodWarnings(float windowWidth) const;

 private:
  std::shared_ptr<Match> mMatch;
};
