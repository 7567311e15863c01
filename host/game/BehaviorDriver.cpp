#include "game/BehaviorDriver.h"

#include <utility>
#include <vector>

#include "behaviors/Behavior.h"
#include "core/Engine.h"
#include "core/ObjectMessages.h"
#include "objects/Object.h"

void BehaviorDriver::Learn(const Message& message) {
  if (message.GetMessageId() != MT_CREATED_COMPONENT) return;
  const auto& created = static_cast<const CreatedComponentMessage&>(message);
  if (created.GetComponentType() != CT_Behavior) return;
  auto behavior = std::dynamic_pointer_cast<Behavior>(created.GetComponentPTR().lock());
  if (behavior) mKnown.try_emplace(behavior->GetID(), Known{behavior});
}

bool BehaviorDriver::IsPlaced(const Behavior& behavior) {
  if (behavior.IsRetired()) return false;
  const auto object = behavior.GetParent().lock();
  if (!object || object->IsRetired()) return false;
  // An archetype's part, or a component its object has since let go of.
  if (Engine::mFactory.GetObjectWithID(object->GetID()).lock() != object) return false;
  return object->GetComponentAs<Component>(CT_Behavior).get() == &behavior;
}

void BehaviorDriver::Update(float dt) {
  // Collected first: a behavior's messages run listeners that may create or
  // destroy objects and components.
  std::vector<std::pair<Known*, std::shared_ptr<Behavior>>> placed;
  for (auto it = mKnown.begin(); it != mKnown.end();) {
    auto behavior = it->second.behavior.lock();
    if (!behavior) {
      it = mKnown.erase(it);
      continue;
    }
    if (IsPlaced(*behavior)) {
      placed.emplace_back(&it->second, std::move(behavior));
    } else if (behavior->IsRetired()) {
      it->second.state = State::Unstarted;
    }
    ++it;
  }

  for (auto& [known, behavior] : placed) {
    // Retired during this frame: its object was destroyed or it was replaced.
    if (behavior->IsRetired()) {
      known->state = State::Unstarted;
      continue;
    }
    if (known->state == State::Released) continue;
    if (known->state == State::Unstarted) {
      known->state = State::Running;
      behavior->Initialize();
      if (behavior->IsRetired()) continue;
    }
    if (behavior->TimeLeft() > 0.0f) behavior->Update(dt);
    if (behavior->IsRetired()) continue;
    if (behavior->TimeLeft() <= 0.0f) {
      behavior->Release();
      known->state = State::Released;
    }
  }
}

std::size_t BehaviorDriver::RunningCount() const {
  std::size_t running = 0;
  for (const auto& [id, known] : mKnown) running += known.state == State::Running ? 1 : 0;
  return running;
}

std::size_t BehaviorDriver::ReleasedCount() const {
  std::size_t released = 0;
  for (const auto& [id, known] : mKnown) released += known.state == State::Released ? 1 : 0;
  return released;
}

bool BehaviorDriver::IsTracking(std::uint32_t componentID) const {
  const auto it = mKnown.find(componentID);
  return it != mKnown.end() && it->second.state != State::Unstarted && !it->second.behavior.expired();
}
