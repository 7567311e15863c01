#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "bots/Bot.h"
#include "core/System.h"

class InputTap;
class Match;
class Message;
class Object;

// The "Input" system: gamepads are bots here. Each frame in play every bot
// makes its player's input messages, and each message is handed to that
// player's object (the Controller hears input only that way). A pulled
// trigger also goes out on the bus, for the game rules to fire the gun.
// Gamepad rumble requests are counted per player.
//
// The windowed input system builds on this one: it plays the seats people
// hold and leaves the others to these bots. Every message of either reaches
// the game through HandTo, Relay or CloseWindow, where a tap sees them.
class InputSystem : public System {
 public:
  InputSystem(std::shared_ptr<Match> match, std::uint32_t seed);
  void Initialize() override;
  // The devices, then the bots.
  void Update(float timeStep) override;
  int Release() override;

  [[nodiscard]] int Rumbles(std::size_t player) const { return mRumbles.at(player); }
  // The tap is the caller's and must outlive the system, or be taken off (nullptr).
  void SetTap(InputTap* tap) { mTap = tap; }

 protected:
  // The people's devices, before the bots play.
  virtual void ReadDevices(float /*timeStep*/) {}
  // A seat's input message, to the object of that seat's player.
  void HandTo(std::uint32_t seat, Object& object, const std::shared_ptr<Message>& message);
  void Relay(const std::shared_ptr<Message>& message);
  // The window was closed: the match ends, once, and the program quits.
  void CloseWindow();
  // The object a seat's input goes to: its player's, found by id or by name.
  [[nodiscard]] std::shared_ptr<Object> SeatObject(std::uint32_t seat) const;

  // Whether a bot plays this seat now; a person may take it over and give it back.
  [[nodiscard]] virtual bool IsBotSeat(std::uint32_t /*seat*/) const { return true; }
  // A rumble request for a player's gamepad, after it has been counted.
  virtual void OnRumble(std::uint32_t /*player*/, float /*seconds*/, float /*power*/) {}

  [[nodiscard]] Match& GetMatch() const { return *mMatch; }

 private:
  void StartBots();
  void PlayBots(float timeStep);

  std::shared_ptr<Match> mMatch;
  std::uint32_t mSeed;
  std::vector<Bot> mBots;
  // The match round the bots were made for; a new match makes new bots.
  int mRound = -1;
  std::array<int, 4> mRumbles{};
  InputTap* mTap = nullptr;
  bool mQuitSent = false;
};
