#include "physics/BodyPool.h"

#include <new>

// Every body is freed by the world before the pool goes; the slots hold no live body here.
BodyPool::~BodyPool() = default;

btRigidBody* BodyPool::Make(const btRigidBody::btRigidBodyConstructionInfo& info) {
  Slot* slot = nullptr;
  if (!mFree.empty()) {
    slot = mFree.back();
    mFree.pop_back();
  } else {
    if (mUsedInLast == kBlockBodies) {
      mBlocks.push_back(std::make_unique<Slot[]>(kBlockBodies));
      mUsedInLast = 0;
    }
    slot = &mBlocks.back()[mUsedInLast++];
  }
  return ::new (static_cast<void*>(slot)) btRigidBody(info);
}

void BodyPool::Free(btRigidBody* body) {
  body->~btRigidBody();
  mFree.push_back(reinterpret_cast<Slot*>(body));
}
