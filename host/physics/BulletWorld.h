#pragma once
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "physics/CollisionGroups.h"
#include "vectormath/vectormath_aos.h"

class BodyPool;
class btBroadphaseInterface;
class btCollisionDispatcher;
class btCollisionShape;
class btDefaultCollisionConfiguration;
class btDiscreteDynamicsWorld;
class btRigidBody;
class btSequentialImpulseConstraintSolver;
struct btOverlapFilterCallback;
struct btDbvtBroadphase;

// The Bullet side of the host's physics: a discrete dynamics world with a
// dynamic-tree broadphase, stepped at the engine's 1/80 s. It makes, moves
// and removes Bullet bodies and says which of them touch; what the bodies
// stand for is the physics system's business (each body's user pointer).
//
// Bodies are boxes or spheres that never turn. Static and kinematic bodies
// join the tree without a search for their overlaps, so that a crowd of them
// on one spot costs no quadratic search; only moving bodies can touch them,
// and those are paired with them at once.
class BulletWorld {
 public:
  enum class Motion { Static, Kinematic, Dynamic };

  struct Shape {
    bool sphere = false;
    // Half extents; a sphere's radius is x.
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    bool operator==(const Shape&) const = default;
  };

  struct Setup {
    Motion motion = Motion::Static;
    Shape shape;
    CollisionGroups::Filter filter;
    float mass = 1.0f;
    bool gravity = false;
    bool operator==(const Setup&) const = default;
  };

  static constexpr float kFixedStep = 1.0f / 80.0f;
  // A longer frame is simulated this far only, so one stall cannot snowball.
  static constexpr int kMaxSubSteps = 8;
  // Contact points closer than this count as touching.
  static constexpr float kTouchDistance = 0.01f;

  BulletWorld();
  ~BulletWorld();
  BulletWorld(const BulletWorld&) = delete;
  BulletWorld& operator=(const BulletWorld&) = delete;

  // A new body in the world, owned by it until Remove; `user` is what it
  // stands for, handed back by Touching, Near and the pair hook.
  btRigidBody* Add(const Setup& setup, bool ghost, const Vectormath::Aos::Vector3& position, void* user);
  void Remove(btRigidBody* body);

  void SetFilter(btRigidBody* body, const CollisionGroups::Filter& filter);
  // A ghost reports contacts and has no contact response.
  static void SetGhost(btRigidBody* body, bool ghost);
  // Static bodies become kinematic before they are moved, so that they push.
  void MakeKinematic(btRigidBody* body);
  // Puts a body somewhere: a kinematic body moves there at the next step (and
  // pushes what is in the way), the others are teleported.
  void Place(btRigidBody* body, const Vectormath::Aos::Vector3& position);
  static void SetVelocity(btRigidBody* body, const Vectormath::Aos::Vector3& velocity);
  static void ApplyForce(btRigidBody* body, const Vectormath::Aos::Vector3& force);
  [[nodiscard]] static Vectormath::Aos::Vector3 PositionOf(const btRigidBody* body);
  [[nodiscard]] static Vectormath::Aos::Vector3 VelocityOf(const btRigidBody* body);
  // Starts fetching what PositionOf and VelocityOf read, for a pass over many bodies.
  static void Prefetch(const btRigidBody* body);

  // Advances the world by whole fixed steps; the time simulated, 0 when the
  // frame was too short for a step (the rest is kept for the next frame).
  float Step(float frameTime);
  // The user pointers of the bodies touching after the last step.
  void Touching(std::vector<std::pair<void*, void*>>& pairs) const;
  // The user pointers of the bodies whose boxes overlap: those that may touch in the next step.
  void Near(std::vector<std::pair<void*, void*>>& pairs) const;
  // Called with both user pointers whenever the broadphase is about to pair two bodies.
  void OnNewPair(std::function<void(void*, void*)> hook);

 private:
  btCollisionShape* ShapeFor(const Shape& shape);
  void Insert(btRigidBody* body, const CollisionGroups::Filter& filter, bool fixed);
  void Free(btRigidBody* body);

  std::unique_ptr<BodyPool> mMovingBodies;
  std::unique_ptr<BodyPool> mFixedBodies;
  std::unique_ptr<btDefaultCollisionConfiguration> mConfiguration;
  std::unique_ptr<btCollisionDispatcher> mDispatcher;
  std::unique_ptr<btDbvtBroadphase> mBroadphase;
  std::unique_ptr<btSequentialImpulseConstraintSolver> mSolver;
  std::unique_ptr<btDiscreteDynamicsWorld> mWorld;
  std::unique_ptr<btOverlapFilterCallback> mPairFilter;
  // Shapes are shared by every body of the same size.
  std::map<std::tuple<bool, float, float, float>, std::unique_ptr<btCollisionShape>> mShapes;
  int mOptimizedFixed = 0;
};
