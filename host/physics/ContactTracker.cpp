#include "physics/ContactTracker.h"

#include <algorithm>
#include <memory>

#include "core/Engine.h"
#include "core/GameFlowMessages.h"

namespace {

void Relay(CollisionMessageType kind, std::uint64_t pair) {
  Engine::RelayMessage(std::make_shared<CollisionMessage>(L"Physics", kind, static_cast<ObjectID>(pair >> 32),
                                                          static_cast<ObjectID>(pair & 0xFFFFFFFFu)));
}

}  // namespace

std::uint64_t ContactTracker::Pair(ObjectID a, ObjectID b) {
  return (static_cast<std::uint64_t>(std::min(a, b)) << 32) | std::max(a, b);
}

void ContactTracker::Update(std::vector<std::uint64_t>& touching) {
  std::sort(touching.begin(), touching.end());
  touching.erase(std::unique(touching.begin(), touching.end()), touching.end());
  std::vector<std::uint64_t> changed;
  std::set_difference(mTouching.begin(), mTouching.end(), touching.begin(), touching.end(),
                      std::back_inserter(changed));
  for (const std::uint64_t pair : changed) Relay(CMT_CONTACT_END, pair);
  changed.clear();
  std::set_difference(touching.begin(), touching.end(), mTouching.begin(), mTouching.end(),
                      std::back_inserter(changed));
  for (const std::uint64_t pair : changed) Relay(CMT_CONTACT_BEGIN, pair);
  mTouching.swap(touching);
}

void ContactTracker::Forget(ObjectID id) {
  std::erase_if(mTouching, [id](std::uint64_t pair) {
    const bool involved = static_cast<ObjectID>(pair >> 32) == id || static_cast<ObjectID>(pair & 0xFFFFFFFFu) == id;
    if (involved) Relay(CMT_CONTACT_END, pair);
    return involved;
  });
}

bool ContactTracker::AreTouching(ObjectID a, ObjectID b) const {
  return std::binary_search(mTouching.begin(), mTouching.end(), Pair(a, b));
}
