#pragma once
#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>

// Bullet's dynamic tree lets a moving body's box in the tree reach ahead of
// the body (by the body's own size, with a prediction of 1), so that a walker
// is re-sorted every few steps instead of every one. But it reaches ahead
// along every axis, forward along those the body does not move on: a body
// walking along x meets everything beside it in +y and +z, and every such
// pair is searched for contacts every step. Here the box reaches ahead only
// along the axes the body moved on since its last update.
struct AheadBroadphase : btDbvtBroadphase {
  void setAabb(btBroadphaseProxy* proxy, const btVector3& aabbMin, const btVector3& aabbMax,
               btDispatcher* dispatcher) override;
};
