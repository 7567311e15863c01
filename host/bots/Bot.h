#pragma once
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "bots/ShipMap.h"
#include "objects/ComponentType.h"
#include "vectormath/vectormath_aos.h"

class Match;
class Message;
class Object;

// Plays one player the way a person with a gamepad would, producing the same
// input messages: stick positions, "Use", "Sprint", "Drop" and the trigger.
// It fetches a power cell, takes it to a free escape pod and launches; with
// nothing left to fetch it waits in the centre room. Rooms under a flood
// warning or filling are never entered, and left at once. It opens doors with
// "Use" from their triggers, picks up a key card when a power cell lies behind
// a door that needs one, drops a flare now and then, and shoots at other
// players while it waits. Everything random comes from its own seed.
class Bot {
 public:
  Bot(std::uint32_t playerNumber, ObjectID player, std::uint32_t seed);

  // This frame's input for the player; empty when the player cannot act.
  // `claimed` holds the Target() of the other bots: a bot prefers what
  // nobody else is after.
  std::vector<std::shared_ptr<Message>> Think(const ShipMap& map, const Match& match, float timeStep,
                                              const std::vector<int>& claimed);
  // What the bot is after (a pickup or a pod), as a number; -1 for nothing.
  [[nodiscard]] int Target() const;
  // Whether the bot pulled the trigger this frame.
  [[nodiscard]] bool PullsTrigger() const { return mFire; }
  [[nodiscard]] std::uint32_t PlayerNumber() const { return mPlayerNumber; }
  [[nodiscard]] ObjectID PlayerID() const { return mPlayer; }

 private:
  enum class GoalKind { None, Pickup, Pod, Haven };
  struct Goal {
    GoalKind kind = GoalKind::None;
    int index = -1;
    int room = -1;
    Vectormath::Aos::Vector3 point{0.0f};
  };
  struct Sight {
    Vectormath::Aos::Vector3 position{0.0f};
    Vectormath::Aos::Vector3 forward{0.0f, 0.0f, -1.0f};
    Vectormath::Aos::Vector3 right{1.0f, 0.0f, 0.0f};
  };

  [[nodiscard]] Goal ChooseGoal(const ShipMap& map, int room, int keyCards, int powerCells,
                                const std::vector<int>& claimed) const;
  // Route length in doors to `target`, or -1 when it cannot be reached.
  [[nodiscard]] static int Distance(const ShipMap& map, int from, int target, bool hasKey);
  // Where to head next: the goal, or the near side of the first door on the
  // way (the far side is kept for crossing).
  [[nodiscard]] Vectormath::Aos::Vector3 NextWaypoint(const ShipMap& map, int room, bool hasKey);
  [[nodiscard]] int FindTarget(const Match& match, int room, const Sight& sight) const;

  void Press(const char* button);
  void Hold(const char* button);
  void Let(const char* button);
  void Steer(const Sight& sight, const Vectormath::Aos::Vector3& toward, float speedScale);
  void Turn(const Sight& sight, const Vectormath::Aos::Vector3& toward, float lookSpeed);

  std::uint32_t mPlayerNumber;
  ObjectID mPlayer;
  std::mt19937 mRandom;
  std::vector<std::shared_ptr<Message>> mOut;
  bool mFire = false;

  Goal mGoal;
  float mReplan = 0.0f;
  int mCrossing = -1;
  Vectormath::Aos::Vector3 mCrossTo{0.0f};
  float mUseCooldown = 0.0f;
  float mShotCooldown = 3.0f;
  bool mSprinting = false;
  int mLastRoom = -1;
  // Unsticking: progress is checked now and then; a stuck bot sidesteps.
  Vectormath::Aos::Vector3 mProgressMark{0.0f};
  float mProgressTimer = 0.0f;
  float mSidestep = 0.0f;
  Vectormath::Aos::Vector3 mSidestepDirection{0.0f};
};
