#pragma once
#include <cstdint>
#include <vector>

#include "objects/ComponentType.h"

// Which objects touch, step by step: given the touching pairs after a step,
// it relays a CollisionMessage of kind 1 for every pair that parted and of
// kind 0 for every pair that began, ended ones first, each in id order.
class ContactTracker {
 public:
  // `touching` may hold pairs in any order and more than once; it is sorted in place.
  void Update(std::vector<std::uint64_t>& touching);
  // The object is gone: every pair it was in has ended.
  void Forget(ObjectID id);
  [[nodiscard]] bool AreTouching(ObjectID a, ObjectID b) const;
  void Clear() { mTouching.clear(); }

  [[nodiscard]] static std::uint64_t Pair(ObjectID a, ObjectID b);

 private:
  // Sorted, no duplicates.
  std::vector<std::uint64_t> mTouching;
};
