#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "bots/Bot.h"
#include "core/System.h"

class Match;
class Message;

// The "Input" system: gamepads are bots here. Each frame in play every bot
// makes its player's input messages, and each message is handed to that
// player's object (the Controller hears input only that way). A pulled
// trigger also goes out on the bus, for the game rules to fire the gun.
// Gamepad rumble requests are counted per player.
class InputSystem : public System {
 public:
  InputSystem(std::shared_ptr<Match> match, std::uint32_t seed);
  void Initialize() override;
  void Update(float timeStep) override;
  int Release() override;

  [[nodiscard]] int Rumbles(std::size_t player) const { return mRumbles.at(player); }

 private:
  void StartBots();

  std::shared_ptr<Match> mMatch;
  std::uint32_t mSeed;
  std::vector<Bot> mBots;
  bool mStarted = false;
  std::array<int, 4> mRumbles{};
};
