#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bots/ShipMap.h"
#include "core/System.h"
#include "game/BehaviorDriver.h"
#include "objects/ComponentType.h"

class LevelRuleset;
class Match;
class Message;

// The host's own duties in a match: the flood clock (rooms registered with
// RoomHandler after loading, a flood whenever it is time), the guns (cooled
// every frame, fired on the players' triggers), the behaviors, the level's
// ruleset clock, and the judging: a launched pod is an escape, a death in a
// flooding room a drowning, and the match ends (a quit message) once every
// player has escaped or drowned or the time is up.
//
// It hears game events, pod activations, contacts and trigger pulls as a bus
// listener only, so events that components relay during a broadcast reach it
// and none is handled twice.
class GameSystem : public System {
 public:
  explicit GameSystem(std::shared_ptr<Match> match);
  void Initialize() override;
  void Update(float timeStep) override;
  int Release() override;

  // After the level is loaded and before the loop: registers the rooms, numbers
  // the controllers, builds the map, benches the players who sit out and
  // shows the renderer the cameras of the players it draws.
  void BeginMatch();

 private:
  void OnMessage(const std::shared_ptr<Message>& message);
  void OnGameEvent(const std::string& text, ObjectID id);
  void OnContact(ObjectID a, ObjectID b);
  void OnObjectCreated(const std::shared_ptr<Message>& message);
  void FireGuns(float timeStep);
  void WatchRooms();
  void WatchDoors();
  void ShowProgress(float timeStep);
  void End(const std::string& reason);
  void Escape(Match& match, ObjectID player);
  // Makes `rider` follow `pod` wherever it flies.
  static void RideWith(ObjectID rider, ObjectID pod);
  void RegisterCameras();
  // A level asked for by the menus (or a cheat): load it and play it anew.
  void LoadRequestedLevel();

  std::shared_ptr<Match> mMatch;
  BehaviorDriver mBehaviors;
  std::weak_ptr<LevelRuleset> mRuleset;
  std::array<bool, 4> mTriggerHeld{};
  std::vector<ShipMap::RoomState> mRoomStates;
  std::vector<bool> mDoorOpen;
  std::vector<bool> mDoorSealed;
  std::vector<ObjectID> mPodsTaken;
  float mSinceProgress = 0.0f;
  bool mEnded = false;
  std::string mRequestedLevel;
  bool mQuitSent = false;
};
