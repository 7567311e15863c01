#pragma once
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "core/Callable.h"
#include "core/System.h"
#include "objects/ComponentType.h"
#include "platform/Clock.h"
#include "vectormath/vectormath_aos.h"

class Message;

// A small physics for playing levels in tests: kinematic bodies that go where
// they are told, axis-aligned box contacts, and contact reports on demand.
//
// Requests are taken from the bus as a listener, not from the system queue:
// gameplay components relay most of theirs while the broadcast delivers to
// listeners, and those never reach a system's queue. Immediate requests reach
// listeners too, so every request is seen exactly once.
//
// One at a time: Engine::AddSystem takes ownership; Engine::Release deletes
// it, which also drops its listener.
class ScenarioPhysics : public System {
 public:
  ScenarioPhysics();
  ~ScenarioPhysics() override;
  ScenarioPhysics(const ScenarioPhysics&) = delete;
  ScenarioPhysics& operator=(const ScenarioPhysics&) = delete;

  // Moves every body with a velocity by velocity x dt, then reports, queued,
  // the contacts between colliders that ended and began since the last
  // update: ended first, each list in ascending id order.
  void Update(float dt) override;
  int Release() override { return 0; }

  // Contact reports on demand, queued as the host's physics queues them.
  static void Touch(ObjectID a, ObjectID b);
  static void Part(ObjectID a, ObjectID b);
  // Puts an object somewhere at once, as a teleport would.
  static void Place(ObjectID id, const Vectormath::Aos::Vector3& position);

 private:
  void Apply(const std::shared_ptr<Message>& message);
  void DetectContacts();

  std::map<ObjectID, Vectormath::Aos::Vector3> mVelocities;
  std::set<std::pair<ObjectID, ObjectID>> mContacts;
};

// One frame as Engine::GameLoop runs it, with a chosen time step: queue the
// time update, update every system, broadcast. The clock, if given, advances
// by the step (so calendar seconds pass as game time does).
void RunFrame(float dt, Platform::VirtualClock* clock = nullptr);
