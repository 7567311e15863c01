#pragma once
#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "app/EventLog.h"
#include "app/HostCommandLine.h"
#include "bots/ShipMap.h"
#include "objects/ComponentType.h"

// One match as the host keeps score of it, shared by its systems and kept by
// the program after the engine has released them: the game clock, what
// became of each player, the counts for the summary, the event log and the
// map the bots find their way by.
class Match {
 public:
  enum class Fate { Playing, Escaped, Drowned, SatOut };

  struct Player {
    std::string name;
    ObjectID id = 0;
    bool present = false;
    // Played by a person at this machine, not by a bot.
    bool human = false;
    Fate fate = Fate::SatOut;
    float when = 0.0f;
    // The pod a player escaped in, or the room a player drowned or ended in.
    std::string where;
  };

  struct Counts {
    int roomsInRings = 0;
    int roomsFlooded = 0;
    int keyCards = 0;
    int powerCells = 0;
    int doorOpenings = 0;
    int podsLaunched = 0;
    int shots = 0;
    int hits = 0;
  };

  Match(const HostOptions& options, std::ostream* echo);

  [[nodiscard]] const HostOptions& Options() const { return mOptions; }

  // A new match on `level` with the same seats: clock, counts and fates start
  // over, the log goes on. Round() counts the matches so far.
  void Restart(const std::string& level);
  [[nodiscard]] int Round() const { return mRound; }
  EventLog& Log() { return mLog; }
  ShipMap& Map() { return mMap; }
  [[nodiscard]] const ShipMap& Map() const { return mMap; }

  [[nodiscard]] float Time() const { return mTime; }
  void Advance(float dt) { mTime += dt; }
  // An event at the current game time.
  void Note(const std::string& subject, const std::string& text) { mLog.Add(mTime, subject, text); }

  std::array<Player, 4>& Players() { return mPlayers; }
  [[nodiscard]] const std::array<Player, 4>& Players() const { return mPlayers; }
  // The record of the player object with this id, or null.
  Player* FindPlayer(ObjectID id);
  [[nodiscard]] int PlayersStillPlaying() const;
  [[nodiscard]] bool Participates(const Player& player) const { return player.present && player.fate != Fate::SatOut; }

  Counts counts;
  // Why the match ended; empty while it runs.
  std::string endReason;

  // The closing summary: who escaped, who drowned, rooms flooded, time.
  void PrintSummary(std::ostream& out) const;

 private:
  HostOptions mOptions;
  EventLog mLog;
  ShipMap mMap;
  float mTime = 0.0f;
  int mRound = 0;
  std::array<Player, 4> mPlayers;
};
