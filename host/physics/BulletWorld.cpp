#include "physics/BulletWorld.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "physics/AheadBroadphase.h"
#include "physics/BodyPool.h"
#include "physics/OneIslandWorld.h"

using Vectormath::Aos::Vector3;

namespace {

// Bullet cannot collide a box of no size; a point collider is this small box.
constexpr float kSmallestHalfExtent = 0.01f;
constexpr float kGravity = -9.81f;

btVector3 ToBullet(const Vector3& v) { return {v.getX(), v.getY(), v.getZ()}; }
Vector3 FromBullet(const btVector3& v) { return {v.x(), v.y(), v.z()}; }

bool Overlap(const btBroadphaseProxy& a, const btBroadphaseProxy& b) {
  return a.m_aabbMin.x() <= b.m_aabbMax.x() && b.m_aabbMin.x() <= a.m_aabbMax.x() &&
         a.m_aabbMin.y() <= b.m_aabbMax.y() && b.m_aabbMin.y() <= a.m_aabbMax.y() &&
         a.m_aabbMin.z() <= b.m_aabbMax.z() && b.m_aabbMin.z() <= a.m_aabbMax.z();
}

// Two bodies that both move by themselves (players, shots) report their
// contact but never block each other: the players walk through one another,
// so no doorway can jam.
class MoversPassDispatcher : public btCollisionDispatcher {
 public:
  using btCollisionDispatcher::btCollisionDispatcher;
  bool needsResponse(const btCollisionObject* a, const btCollisionObject* b) override {
    if (!a->isStaticOrKinematicObject() && !b->isStaticOrKinematicObject()) return false;
    return btCollisionDispatcher::needsResponse(a, b);
  }
};

// Pairs a body just placed with the moving bodies whose boxes overlap its box.
class MoverPairs : public btDbvt::ICollide {
 public:
  MoverPairs(btDbvtProxy* proxy, btOverlappingPairCache* pairs) : mProxy(proxy), mPairs(pairs) {}
  void Process(const btDbvtNode* leaf) override {
    auto* other = static_cast<btDbvtProxy*>(leaf->data);
    if (other == mProxy || static_cast<btCollisionObject*>(other->m_clientObject)->isStaticObject()) return;
    if (Overlap(*mProxy, *other)) mPairs->addOverlappingPair(mProxy, other);
  }

 private:
  btDbvtProxy* mProxy;
  btOverlappingPairCache* mPairs;
};

// Bullet's own group and mask test, and a word to the owner of a pair that is about to be made.
class PairFilter : public btOverlapFilterCallback {
 public:
  explicit PairFilter(std::function<void(void*, void*)> hook) : mHook(std::move(hook)) {}
  bool needBroadphaseCollision(btBroadphaseProxy* a, btBroadphaseProxy* b) const override {
    const bool meet = (a->m_collisionFilterGroup & b->m_collisionFilterMask) != 0 &&
                      (b->m_collisionFilterGroup & a->m_collisionFilterMask) != 0;
    if (meet) {
      mHook(static_cast<btCollisionObject*>(a->m_clientObject)->getUserPointer(),
            static_cast<btCollisionObject*>(b->m_clientObject)->getUserPointer());
    }
    return meet;
  }

 private:
  std::function<void(void*, void*)> mHook;
};

// Moved by the host only, never by contacts, and always awake so that the
// world takes its speed from each move.
void SetKinematicFlags(btRigidBody* body) {
  body->setCollisionFlags((body->getCollisionFlags() & ~btCollisionObject::CF_STATIC_OBJECT) |
                          btCollisionObject::CF_KINEMATIC_OBJECT);
  body->forceActivationState(DISABLE_DEACTIVATION);
}

}  // namespace

BulletWorld::BulletWorld()
    : mMovingBodies(std::make_unique<BodyPool>()),
      mFixedBodies(std::make_unique<BodyPool>()),
      mConfiguration(std::make_unique<btDefaultCollisionConfiguration>()),
      mDispatcher(std::make_unique<MoversPassDispatcher>(mConfiguration.get())),
      mBroadphase(std::make_unique<AheadBroadphase>()),
      mSolver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      mWorld(
          std::make_unique<OneIslandWorld>(mDispatcher.get(), mBroadphase.get(), mSolver.get(), mConfiguration.get())) {
  mWorld->setGravity(btVector3(0.0f, kGravity, 0.0f));
  // A moving body's box in the tree reaches ahead by its own size, so that a
  // walker is resorted every few steps instead of every one.
  mBroadphase->setVelocityPrediction(1.0f);
}

BulletWorld::~BulletWorld() {
  mBroadphase->getOverlappingPairCache()->setOverlapFilterCallback(nullptr);
  for (int i = mWorld->getNumCollisionObjects() - 1; i >= 0; --i) {
    btCollisionObject* object = mWorld->getCollisionObjectArray()[i];
    mWorld->removeCollisionObject(object);
    Free(btRigidBody::upcast(object));
  }
}

btCollisionShape* BulletWorld::ShapeFor(const Shape& shape) {
  auto& slot = mShapes[{shape.sphere, shape.x, shape.y, shape.z}];
  if (slot) return slot.get();
  if (shape.sphere) {
    slot = std::make_unique<btSphereShape>(std::max(shape.x, kSmallestHalfExtent));
  } else {
    const btVector3 half(std::max(shape.x, kSmallestHalfExtent), std::max(shape.y, kSmallestHalfExtent),
                         std::max(shape.z, kSmallestHalfExtent));
    slot = std::make_unique<btBoxShape>(half);
    // The margin lies inside the box; a thin box needs a thin one.
    const btScalar thinnest = std::min({half.x(), half.y(), half.z()});
    slot->setMargin(std::min<btScalar>(CONVEX_DISTANCE_MARGIN, thinnest / 2));
  }
  return slot.get();
}

btRigidBody* BulletWorld::Add(const Setup& setup, bool ghost, const Vector3& position, void* user) {
  const bool dynamic = setup.motion == Motion::Dynamic;
  btRigidBody::btRigidBodyConstructionInfo info(dynamic ? setup.mass : 0.0f, nullptr, ShapeFor(setup.shape),
                                                btVector3(0.0f, 0.0f, 0.0f));
  info.m_startWorldTransform.setIdentity();
  info.m_startWorldTransform.setOrigin(ToBullet(position));
  // Bodies slide along walls and along each other, and nothing bounces.
  info.m_friction = 0.0f;
  info.m_restitution = 0.0f;
  // Moving bodies in a pool of their own: the step walks them, and only them, every time.
  btRigidBody* body = (dynamic ? *mMovingBodies : *mFixedBodies).Make(info);
  body->setUserPointer(user);
  // No inertia and no angular factor: bodies never turn, so they need no gyroscopic term either.
  body->setAngularFactor(0.0f);
  body->setFlags(body->getFlags() & ~BT_ENABLE_GYROSCOPIC_FORCE_IMPLICIT_BODY);
  if (dynamic) {
    // Without gravity the game's movers walk a floorless plane: contacts must
    // not push them up or down (a closing door would press a player under the deck).
    body->setLinearFactor(setup.gravity ? btVector3(1, 1, 1) : btVector3(1, 0, 1));
    if (!setup.gravity) body->setFlags(body->getFlags() | BT_DISABLE_WORLD_GRAVITY);
  }
  if (setup.motion == Motion::Kinematic) SetKinematicFlags(body);
  // Bodies are told what to do every frame; none may fall asleep and miss it.
  if (dynamic) body->forceActivationState(DISABLE_DEACTIVATION);
  SetGhost(body, ghost);
  Insert(body, setup.filter, !dynamic);
  return body;
}

void BulletWorld::Insert(btRigidBody* body, const CollisionGroups::Filter& filter, bool fixed) {
  if (!fixed) {
    mWorld->addRigidBody(body, filter.category, filter.mask);
    return;
  }
  // Fixed bodies never meet each other, so the tree need not be searched for
  // their overlaps; the moving bodies they overlap are paired with them here.
  mBroadphase->m_deferedcollide = true;
  mWorld->addRigidBody(body, filter.category, filter.mask);
  mBroadphase->m_deferedcollide = false;
  // Both of the broadphase's trees: a mover that stood still for a while sits with the fixed bodies.
  auto* proxy = static_cast<btDbvtProxy*>(body->getBroadphaseHandle());
  MoverPairs movers(proxy, mBroadphase->getOverlappingPairCache());
  for (btDbvt& tree : mBroadphase->m_sets) tree.collideTV(tree.m_root, proxy->leaf->volume, movers);
}

void BulletWorld::Remove(btRigidBody* body) {
  mWorld->removeRigidBody(body);
  Free(body);
}

void BulletWorld::Free(btRigidBody* body) {
  // A dynamic body stays dynamic; the others may have turned kinematic, still from the fixed pool.
  (body->isStaticOrKinematicObject() ? *mFixedBodies : *mMovingBodies).Free(body);
}

void BulletWorld::SetFilter(btRigidBody* body, const CollisionGroups::Filter& filter) {
  mWorld->removeRigidBody(body);
  Insert(body, filter, body->isStaticOrKinematicObject());
}

void BulletWorld::SetGhost(btRigidBody* body, bool ghost) {
  const int flags = body->getCollisionFlags();
  body->setCollisionFlags(ghost ? flags | btCollisionObject::CF_NO_CONTACT_RESPONSE
                                : flags & ~btCollisionObject::CF_NO_CONTACT_RESPONSE);
}

void BulletWorld::MakeKinematic(btRigidBody* body) {
  if (body->isKinematicObject() || !body->isStaticObject()) return;
  const btBroadphaseProxy* proxy = body->getBroadphaseHandle();
  const CollisionGroups::Filter filter{proxy->m_collisionFilterGroup, proxy->m_collisionFilterMask};
  mWorld->removeRigidBody(body);
  SetKinematicFlags(body);
  Insert(body, filter, true);
}

void BulletWorld::Place(btRigidBody* body, const Vector3& position) {
  btTransform transform = body->getWorldTransform();
  transform.setOrigin(ToBullet(position));
  body->setWorldTransform(transform);
  // A kinematic body keeps where it was, from which the step takes its speed.
  if (!body->isKinematicObject()) body->setInterpolationWorldTransform(transform);
  mWorld->updateSingleAabb(body);
}

void BulletWorld::SetVelocity(btRigidBody* body, const Vector3& velocity) {
  body->setLinearVelocity(ToBullet(velocity));
  body->activate(true);
}

void BulletWorld::ApplyForce(btRigidBody* body, const Vector3& force) { body->applyCentralForce(ToBullet(force)); }

Vector3 BulletWorld::PositionOf(const btRigidBody* body) { return FromBullet(body->getWorldTransform().getOrigin()); }

Vector3 BulletWorld::VelocityOf(const btRigidBody* body) { return FromBullet(body->getLinearVelocity()); }

void BulletWorld::Prefetch(const btRigidBody* body) {
  __builtin_prefetch(&body->getWorldTransform().getOrigin());
  __builtin_prefetch(&body->getLinearVelocity());
}

float BulletWorld::Step(float frameTime) {
  if (!(frameTime > 0.0f)) return 0.0f;
  const int steps = mWorld->stepSimulation(std::min(frameTime, kMaxSubSteps * kFixedStep), kMaxSubSteps, kFixedStep);
  // The tree of fixed bodies is built one insertion at a time, which leaves it
  // lopsided for a level's regular rows of walls and crates: rebuild it
  // whenever it has grown by a quarter.
  const int fixed = mBroadphase->m_sets[1].m_leaves;
  if (fixed > mOptimizedFixed + mOptimizedFixed / 4 + 64) {
    mBroadphase->optimize();
    // Rebuilt whole: the few passes a frame Bullet would still spend on it buy nothing.
    mBroadphase->m_fixedleft = 0;
    mOptimizedFixed = fixed;
  }
  return static_cast<float>(steps) * kFixedStep;
}

void BulletWorld::OnNewPair(std::function<void(void*, void*)> hook) {
  mPairFilter = std::make_unique<PairFilter>(std::move(hook));
  mBroadphase->getOverlappingPairCache()->setOverlapFilterCallback(mPairFilter.get());
}

void BulletWorld::Near(std::vector<std::pair<void*, void*>>& pairs) const {
  pairs.clear();
  const btBroadphasePairArray& overlapping = mBroadphase->getOverlappingPairCache()->getOverlappingPairArray();
  for (int i = 0; i < overlapping.size(); ++i) {
    const btBroadphasePair& pair = overlapping[i];
    pairs.emplace_back(static_cast<btCollisionObject*>(pair.m_pProxy0->m_clientObject)->getUserPointer(),
                       static_cast<btCollisionObject*>(pair.m_pProxy1->m_clientObject)->getUserPointer());
  }
}

void BulletWorld::Touching(std::vector<std::pair<void*, void*>>& pairs) const {
  pairs.clear();
  const int count = mDispatcher->getNumManifolds();
  for (int i = 0; i < count; ++i) {
    const btPersistentManifold* manifold = mDispatcher->getManifoldByIndexInternal(i);
    for (int j = 0; j < manifold->getNumContacts(); ++j) {
      if (manifold->getContactPoint(j).getDistance() > kTouchDistance) continue;
      pairs.emplace_back(manifold->getBody0()->getUserPointer(), manifold->getBody1()->getUserPointer());
      break;
    }
  }
}
