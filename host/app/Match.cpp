#include "app/Match.h"

#include <cstdio>
#include <ostream>

Match::Match(const HostOptions& options, std::ostream* echo) : mOptions(options), mLog(echo) {
  for (std::size_t i = 0; i < mPlayers.size(); ++i) mPlayers[i].name = "Player" + std::to_string(i + 1);
}

void Match::Restart(const std::string& level) {
  mOptions.level = level;
  mTime = 0.0f;
  counts = {};
  endReason.clear();
  for (Player& player : mPlayers) player = {player.name, 0, false, player.human, Fate::SatOut, 0.0f, ""};
  ++mRound;
}

Match::Player* Match::FindPlayer(ObjectID id) {
  for (Player& player : mPlayers) {
    if (player.present && player.id == id) return &player;
  }
  return nullptr;
}

int Match::PlayersStillPlaying() const {
  int count = 0;
  for (const Player& player : mPlayers) count += player.present && player.fate == Fate::Playing ? 1 : 0;
  return count;
}

void Match::PrintSummary(std::ostream& out) const {
  char line[160];
  std::snprintf(line, sizeof line, "Match over after %.1f s of game time (%s).\n", static_cast<double>(mTime),
                endReason.empty() ? "stopped" : endReason.c_str());
  out << '\n' << line;
  for (const Player& player : mPlayers) {
    if (!player.present) continue;
    switch (player.fate) {
      case Fate::Escaped:
        std::snprintf(line, sizeof line, "  %-8s escaped in %s at %.1f s\n", player.name.c_str(), player.where.c_str(),
                      static_cast<double>(player.when));
        break;
      case Fate::Drowned:
        std::snprintf(line, sizeof line, "  %-8s drowned in %s at %.1f s\n", player.name.c_str(), player.where.c_str(),
                      static_cast<double>(player.when));
        break;
      case Fate::Playing:
        std::snprintf(line, sizeof line, "  %-8s still aboard, in %s\n", player.name.c_str(),
                      player.where.empty() ? "no room" : player.where.c_str());
        break;
      case Fate::SatOut:
        std::snprintf(line, sizeof line, "  %-8s sat this match out\n", player.name.c_str());
        break;
    }
    out << line;
  }
  std::snprintf(line, sizeof line, "Rooms flooded: %d of %d. Escape pods launched: %d.\n", counts.roomsFlooded,
                counts.roomsInRings, counts.podsLaunched);
  out << line;
  std::snprintf(line, sizeof line,
                "Picked up %d power cell%s and %d key card%s; doors opened %d times; %d shots fired, %d hit.\n",
                counts.powerCells, counts.powerCells == 1 ? "" : "s", counts.keyCards, counts.keyCards == 1 ? "" : "s",
                counts.doorOpenings, counts.shots, counts.hits);
  out << line;
}
