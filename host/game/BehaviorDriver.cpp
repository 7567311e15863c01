#include "game/BehaviorDriver.h"

#include <memory>
#include <set>
#include <vector>

#include "behaviors/Behavior.h"
#include "core/Engine.h"
#include "objects/Object.h"

void BehaviorDriver::Update(float dt) {
  // Collected first: a behavior's messages run listeners that may create or
  // destroy objects, and the registry's map must not change under the loop.
  std::vector<std::shared_ptr<Behavior>> behaviors;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    if (object->IsRetired()) continue;
    if (auto behavior = object->GetComponentAs<Behavior>(CT_Behavior)) behaviors.push_back(std::move(behavior));
  }

  std::set<std::uint32_t> present;
  for (const auto& behavior : behaviors) {
    // A behavior shared by two objects still runs once per frame.
    if (!present.insert(behavior->GetID()).second) continue;
    // Retired during this frame: its object was destroyed or it was replaced.
    if (behavior->IsRetired()) continue;
    auto [entry, isNew] = mReleased.try_emplace(behavior->GetID(), false);
    if (isNew) {
      behavior->Initialize();
      if (behavior->IsRetired()) continue;
    }
    if (entry->second) continue;
    if (behavior->TimeLeft() > 0.0f) behavior->Update(dt);
    if (behavior->IsRetired()) continue;
    if (behavior->TimeLeft() <= 0.0f) {
      behavior->Release();
      entry->second = true;
    }
  }

  for (auto it = mReleased.begin(); it != mReleased.end();) {
    it = present.count(it->first) != 0 ? std::next(it) : mReleased.erase(it);
  }
}

std::size_t BehaviorDriver::RunningCount() const {
  std::size_t running = 0;
  for (const auto& [id, released] : mReleased) running += released ? 0 : 1;
  return running;
}

std::size_t BehaviorDriver::ReleasedCount() const { return mReleased.size() - RunningCount(); }
