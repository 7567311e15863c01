#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/System.h"
#include "objects/ComponentType.h"
#include "physics/BulletWorld.h"
#include "physics/CollisionGroups.h"
#include "physics/ContactTracker.h"
#include "physics/ValueGuard.h"
#include "vectormath/vectormath_aos.h"

class Collider;
class Match;
class Message;
class Object;
class PhysicsMessage;
class RigidBody;
class Transform;
class btRigidBody;

// The host's physics on Bullet. Every object with a Transform and a Collider
// is one body, a box of the collider's half extents (a sphere for the sphere
// shape, the scaled box for the oriented one); bodies never turn.
//
// - Static: no RigidBody, or a static one (walls, rooms, triggers, pickups).
//   A static body that is moved by request (a door, a pod) becomes kinematic
//   and pushes what is in its way. Dynamic: a RigidBody that is not static,
//   of its mass; a dynamic body's Transform moved by hand is a request too.
// - Ghosts (the collider's flag, followed every step) report contacts but
//   neither block nor are blocked.
// - PhysicsMessage kind 1 sets the velocity (requests between two steps add
//   up), kind 2 the position, kind 6 the collision group (CollisionGroups);
//   a request for an object not yet announced makes its body then. Kind 2 for
//   an object without a collider only places it.
// - RigidBody damping is the share of velocity a body keeps per second.
// - After each frame's steps, CollisionMessage kind 0 for every pair that
//   began touching and kind 1 for every pair that parted or lost a member.
// - Values beyond the host's limits are clamped or refused (ValueGuard).
//
// Identical static bodies on one spot (a pile of pickups) share one Bullet
// body: Bullet's tree cannot hold a crowd of equal boxes, and touching one of
// them is touching them all.
//
// It learns of bodies from the creation and destruction notices and hears
// requests as a bus listener, so that requests relayed during a broadcast
// (doors, pods, flood water) reach it too; nothing is handled twice.
class PhysicsSystem : public System {
 public:
  // Warnings go to the match's event log; without a match they are dropped.
  explicit PhysicsSystem(std::shared_ptr<Match> match = nullptr);
  ~PhysicsSystem() override;
  PhysicsSystem(const PhysicsSystem&) = delete;
  PhysicsSystem& operator=(const PhysicsSystem&) = delete;

  void Initialize() override;
  void Update(float timeStep) override;
  int Release() override;

  [[nodiscard]] std::size_t BodyCount() const { return mBodies.size(); }
  [[nodiscard]] bool IsTracked(ObjectID id) const { return mBodies.count(id) != 0; }
  [[nodiscard]] bool AreTouching(ObjectID a, ObjectID b) const { return mContacts.AreTouching(a, b); }
  [[nodiscard]] Vectormath::Aos::Vector3 GetVelocity(ObjectID id) const;

 private:
  struct Solid;
  struct Body {
    // What the passes over movers read every step comes first, so that it
    // spans as few cache lines as it can (FetchAhead brings them in).

    // The solid's Bullet body, kept here so the passes over movers need not visit the solid.
    btRigidBody* rigid = nullptr;
    std::shared_ptr<Transform> transform;
    std::shared_ptr<Collider> collider;
    std::shared_ptr<RigidBody> rigidBody;
    // Where the Transform was last put by, or seen by, the physics.
    Vectormath::Aos::Vector3 synced{0.0f};
    Vectormath::Aos::Vector3 requested{0.0f};
    std::shared_ptr<Object> object;
    ObjectID id = 0;
    float keep = 1.0f;
    bool hasRequest = false;
    bool ghost = false;
    // Moved by a request once: kinematic from then on.
    bool moved = false;
    BulletWorld::Setup setup;
    std::string group;
    std::shared_ptr<Solid> solid;
    std::size_t memberIndex = 0;
    // Place in the list of bodies that move (dynamic and kinematic), if in it.
    std::size_t moverIndex = kNotMoving;
  };
  static constexpr std::size_t kNotMoving = static_cast<std::size_t>(-1);
  // One Bullet body and the bodies it stands for: one, or a pile.
  struct Solid {
    explicit Solid(BulletWorld& owner) : world(owner) {}
    ~Solid() {
      if (rigid != nullptr) world.Remove(rigid);
    }
    Solid(const Solid&) = delete;
    Solid& operator=(const Solid&) = delete;
    BulletWorld& world;
    btRigidBody* rigid = nullptr;
    std::vector<Body*> members;
    std::size_t solidMembers = 0;
    bool piled = false;
    std::array<std::uint32_t, 9> pileKey{};
    // The step at which its members were last brought up to date.
    std::uint64_t syncedStep = 0;
  };

  void OnMessage(const std::shared_ptr<Message>& message);
  void OnPhysicsRequest(const PhysicsMessage& request);
  template <class Notice>
  void OnComponentNotice(const Notice& notice);
  // Brings the body of an object in line with its components; forgets it
  // when it is gone or is no longer a body.
  void Refresh(const std::shared_ptr<Object>& object);
  void Forget(ObjectID id);
  Body* Find(ObjectID id);
  // Looks the object up when a request names a body not yet announced.
  Body* FindOrTrack(ObjectID id);

  [[nodiscard]] BulletWorld::Setup SetupOf(Body& body);
  [[nodiscard]] Vectormath::Aos::Vector3 SanePosition(Body& body, const Vectormath::Aos::Vector3& position);
  // Gives the body a Bullet body: its own, or a pile's.
  void Attach(Body& body, const Vectormath::Aos::Vector3& position);
  void Detach(Body& body);
  void SetGhost(Body& body, bool ghost);
  void MoveTo(Body& body, const Vectormath::Aos::Vector3& position);
  void Refilter(const std::string& objectName);

  // Reads what components changed on their own: ghost flags, replaced
  // components. A static body matters only once something moving comes
  // near it, so static bodies are looked at only then.
  void Sync(Body& body, std::vector<std::shared_ptr<Object>>& stale);
  void SyncSolid(Solid& solid, std::vector<std::shared_ptr<Object>>& stale);
  void BeforeStep();
  void AfterStep(float simulated);

  BulletWorld mWorld;
  CollisionGroups mGroups;
  ValueGuard mGuard;
  ContactTracker mContacts;
  std::map<ObjectID, Body> mBodies;
  std::vector<Body*> mMovers;
  std::uint64_t mStep = 0;
  std::map<std::array<std::uint32_t, 9>, std::weak_ptr<Solid>> mPiles;
  std::vector<std::pair<void*, void*>> mTouchingScratch;
  std::vector<std::uint64_t> mPairScratch;
};
