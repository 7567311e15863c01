#include "behaviors/FlickerBehavior.h"

#include "components/Renderable.h"
#include "core/Engine.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

META::MetaData FlickerBehavior::meta_("FlickerBehavior", sizeof(FlickerBehavior), META::MetaManager::Get("Component"),
                                      false, &META::WriteBlock, &META::ReadBlock);

// No serialized members; registering keeps the record after a registry Clear.
void FlickerBehavior::AddMeta() { META::MetaManager::RegisterMeta(&meta_); }

META::MetaData& FlickerBehavior::GetMetaData() { return meta_; }

void FlickerBehavior::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> FlickerBehavior::CloneComponent() const {
  return CloneAs<FlickerBehavior>(L"FlickerBehavior");
}

void FlickerBehavior::SetBehavior(ObjectID objectId, float interval, float duration, bool overriding, bool blocking,
                                  const std::string& group) {
  SetCommon(objectId, duration, overriding, blocking, group);
  mInterval = interval;
  // IEEE division: a flicker without an end (duration 0) gets an infinite or NaN decrease.
  mIntervalDecrease = interval / duration;
}

void FlickerBehavior::Initialize() { mIntervalTimer = 0.0f; }

void FlickerBehavior::Update(float dt) {
  const auto object = AdvanceAndFindObject(dt);
  if (!object) return;
  const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable);
  if (!renderable || dt == 0.0f) return;

  mIntervalTimer += dt;
  mInterval -= mIntervalDecrease * dt;
  if (renderable->GetVisibility() && mIntervalTimer > mInterval) {
    renderable->SetVisibility(false);
    mIntervalTimer = 0.0f;
  }
  // Read again: once the interval is negative both steps fire in one update.
  if (!renderable->GetVisibility() && mIntervalTimer > mInterval) {
    renderable->SetVisibility(true);
    mIntervalTimer = 0.0f;
  }
}
