#pragma once
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include <memory>
#include <vector>

// Storage for Bullet bodies in blocks of neighbouring slots. Each step walks
// every moving body several times over; bodies made one after another from
// one pool lie side by side in memory instead of wherever the heap put them
// among the level's other objects, so those walks stream through memory.
class BodyPool {
 public:
  BodyPool() = default;
  ~BodyPool();
  BodyPool(const BodyPool&) = delete;
  BodyPool& operator=(const BodyPool&) = delete;

  btRigidBody* Make(const btRigidBody::btRigidBodyConstructionInfo& info);
  // Destroys a body made by this pool and frees its slot for the next.
  void Free(btRigidBody* body);

 private:
  static constexpr std::size_t kBlockBodies = 256;
  struct alignas(btRigidBody) Slot {
    std::byte bytes[sizeof(btRigidBody)];
  };

  std::vector<std::unique_ptr<Slot[]>> mBlocks;
  std::vector<Slot*> mFree;
  std::size_t mUsedInLast = kBlockBodies;
};
