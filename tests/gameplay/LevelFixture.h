#pragma once
// Small levels played through the real registry and bus: four players, a
// physics that moves what it is told to and reports box contacts, the host's
// flood driving, and a log of the game events and sounds the level produces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/InputMessages.h"
#include "gameplay/PlayerStats.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/ScenarioPhysics.h"
#include "vectormath/vectormath_aos.h"

class LevelFixture : public EngineFixture {
 protected:
  struct Event {
    std::wstring sender;
    std::string text;
    ObjectID objectID;
  };

  // In play, with the physics added, the "FloodCube" and "WarningLight"
  // archetypes made, the room registry empty and the event log listening.
  void SetUp() override;
  void TearDown() override;

  // A registered, initialized object with the given parts, placed at `at`.
  // A Collider gets the half extents given.
  static std::shared_ptr<Object> MakeObject(
      const std::string& name, std::initializer_list<const wchar_t*> parts, const Vectormath::Aos::Vector3& at,
      const Vectormath::Aos::Vector3& halfExtents = Vectormath::Aos::Vector3(0.5f));
  // "Player1" ... "Player4": Transform, unit box, PlayerStats. They start far
  // above the level, apart from each other.
  void MakePlayers();
  [[nodiscard]] const std::shared_ptr<Object>& Player(int number) const { return mPlayers.at(number - 1); }
  [[nodiscard]] std::shared_ptr<PlayerStats> Stats(int number) const {
    return Player(number)->GetComponentAs<PlayerStats>(CT_PlayerStats);
  }

  // A room object (Transform, Collider, RoomComponent with this id) and its
  // entry in the room registry, as the level's owner registers it.
  static std::shared_ptr<Object> MakeRoom(std::uint32_t roomID, const Vectormath::Aos::Vector3& at,
                                          const Vectormath::Aos::Vector3& halfExtents = Vectormath::Aos::Vector3(5.0f));
  // The owner's start of flooding: InitializeRooms, count the registered
  // rooms, AssignRingToRooms, then drive the flood clock in every Frame.
  void StartFlooding();

  // One frame of play with time step dt (the host's flood duties first).
  void Frame(float dt);
  void Play(float seconds, float dt = 0.125f) {
    for (float played = 0.0f; played < seconds; played += dt) Frame(dt);
  }
  // Frames until `done` holds or `limit` seconds have passed; the time taken.
  template <class Done>
  float PlayUntil(Done done, float limit, float dt = 0.125f) {
    float played = 0.0f;
    while (!done() && played < limit) {
      Frame(dt);
      played += dt;
    }
    return played;
  }

  static void Walk(const std::shared_ptr<Object>& object, const Vectormath::Aos::Vector3& velocity) {
    Engine::RelayMessage(std::make_shared<PhysicsMessage>(L"Controller", PMT_SET_VELOCITY, object->GetID(), velocity));
  }
  static void Teleport(const std::shared_ptr<Object>& object, const Vectormath::Aos::Vector3& at) {
    ScenarioPhysics::Place(object->GetID(), at);
  }
  // A player put somewhere, then one 0.1 s frame for the contacts to be reported.
  void StepTo(int number, const Vectormath::Aos::Vector3& at) {
    Teleport(Player(number), at);
    Frame(0.1f);
  }
  static Vectormath::Aos::Vector3 PositionOf(const std::shared_ptr<Object>& object) {
    return object->GetComponentAs<Transform>(CT_Transform)->GetPosition();
  }
  // A player's button press as the host's input puts it on the bus.
  static void Press(const std::string& button, unsigned int player) {
    Engine::RelayMessage(std::make_shared<ButtonTriggerMessage>(L"Input", button, player));
  }
  static void SendEvent(const std::string& text, ObjectID id) {
    Engine::RelayMessage(std::make_shared<GameEventMessage>(L"Script", text, id));
  }

  [[nodiscard]] std::vector<ObjectID> EventIDs(const std::string& text) const;
  [[nodiscard]] std::size_t CountSounds(std::uint32_t sound) const {
    return static_cast<std::size_t>(std::count(sounds.begin(), sounds.end(), sound));
  }

  std::vector<Event> events;
  std::vector<std::uint32_t> sounds;
  bool drivingFloods = false;

 private:
  std::vector<std::shared_ptr<Object>> mPlayers;
};
