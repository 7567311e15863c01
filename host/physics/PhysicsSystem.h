#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/System.h"
#include "objects/ComponentType.h"
#include "vectormath/vectormath_aos.h"

class Collider;
class Message;
class Object;
class PhysicsMessage;
class RigidBody;
class Transform;

// Kinematic box physics. Every object with a Transform and a Collider or a
// RigidBody is a body; its shape is the collider's axis-aligned box (a sphere
// is the box around it; an oriented box is taken unrotated).
//
// - Dynamic bodies (a RigidBody that is not static) move by their velocity
//   and are stopped by solid static bodies (not ghosts): walls, closed doors,
//   pickups that have not been taken. Dynamic bodies do not block each other.
// - Everything else moves only when asked to (position requests).
// - Contacts are reported for every pair with at least one dynamic body:
//   CollisionMessage kind 0 when the boxes start to overlap or touch, kind 1
//   when they part. Ghosts report contacts like any other body.
// - Velocity requests that arrive between two steps add up and replace the
//   velocity at the next step; RigidBody damping is the share of velocity a
//   body keeps per second (0 stops it after each step, 1 keeps it flying).
// - Collision groups: two bodies in the same named group never touch, and a
//   body in the group "<Name>projectile" never touches the object <Name>.
//
// It learns of bodies from the creation and destruction notices and hears
// requests as a bus listener, so that requests relayed by components during
// a broadcast (doors, pods, flood water) reach it too. It reads nothing from
// its message queue, so no message is handled twice.
class PhysicsSystem : public System {
 public:
  PhysicsSystem();
  void Initialize() override;
  void Update(float timeStep) override;
  int Release() override;

  [[nodiscard]] std::size_t BodyCount() const { return mBodies.size(); }
  [[nodiscard]] bool IsTracked(ObjectID id) const { return mBodies.count(id) != 0; }
  [[nodiscard]] bool AreTouching(ObjectID a, ObjectID b) const;
  [[nodiscard]] Vectormath::Aos::Vector3 GetVelocity(ObjectID id) const;

  // Two boxes closer than this count as touching.
  static constexpr float kContactSkin = 0.01f;

 private:
  struct Body {
    ObjectID id = 0;
    std::shared_ptr<Object> object;
    std::shared_ptr<Transform> transform;
    std::shared_ptr<Collider> collider;
    std::shared_ptr<RigidBody> rigidBody;
    Vectormath::Aos::Vector3 halfExtents{0.0f};
    Vectormath::Aos::Vector3 velocity{0.0f};
    Vectormath::Aos::Vector3 requested{0.0f};
    bool hasRequest = false;
    bool dynamic = false;
    std::string group;
    // Where a static body sits in the grid.
    std::vector<std::int64_t> cells;
    bool large = false;
  };
  struct Box {
    Vectormath::Aos::Vector3 min;
    Vectormath::Aos::Vector3 max;
  };

  void OnMessage(const std::shared_ptr<Message>& message);
  void OnPhysicsRequest(const PhysicsMessage& request);
  // Brings the record of an object in line with its components; forgets it
  // when it is gone or is no longer a body.
  void Refresh(const std::shared_ptr<Object>& object);
  void Forget(ObjectID id);
  Body* Find(ObjectID id);
  // Looks the object up when a request names a body not yet announced.
  Body* FindOrTrack(ObjectID id);
  [[nodiscard]] static bool IsStale(const Body& body);

  void Move(Body& body, float timeStep);
  void MoveAlongAxis(Body& body, int axis, float distance);
  void DetectContacts();
  [[nodiscard]] bool Ignores(const Body& a, const Body& b) const;
  [[nodiscard]] static Box BoxOf(const Body& body);
  [[nodiscard]] static bool IsSolidStatic(const Body& body);

  void RebuildGrid();
  void Place(Body& body);
  void Unplace(Body& body);
  template <class Visit>
  void ForEachStaticNear(const Box& box, Visit&& visit);

  std::map<ObjectID, Body> mBodies;
  std::set<std::uint64_t> mContacts;
  // Static bodies by grid cell, rebuilt when one of them comes, goes or moves.
  std::unordered_map<std::int64_t, std::vector<ObjectID>> mGrid;
  std::vector<ObjectID> mLargeStatics;
  bool mGridDirty = true;
  std::vector<ObjectID> mQueryScratch;
};
