#include "behaviors/ScaleBehavior.h"

#include "components/Transform.h"
#include "core/Engine.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

META::MetaData ScaleBehavior::meta_("ScaleBehavior", sizeof(ScaleBehavior), META::MetaManager::Get("Component"), false,
                                    &META::WriteBlock, &META::ReadBlock);

// No serialized members; registering keeps the record after a registry Clear.
void ScaleBehavior::AddMeta() { META::MetaManager::RegisterMeta(&meta_); }

META::MetaData& ScaleBehavior::GetMetaData() { return meta_; }

void ScaleBehavior::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> ScaleBehavior::CloneComponent() const { return CloneAs<ScaleBehavior>(L"ScaleBehavior"); }

void ScaleBehavior::SetBehavior(ObjectID objectId, float targetFactor, float duration, bool overriding, bool blocking,
                                const std::string& group) {
  SetCommon(objectId, duration, overriding, blocking, group);
  // IEEE division: duration 0 gives an infinite or NaN rate.
  mScaleRate = (targetFactor - 1.0f) / duration;
}

void ScaleBehavior::Initialize() { mCurrentFactor = 1.0f; }

void ScaleBehavior::Update(float dt) {
  const auto object = AdvanceAndFindObject(dt);
  if (!object) return;
  const auto transform = object->GetComponentAs<Transform>(CT_Transform);
  if (!transform || dt == 0.0f) return;

  // From the absolute factor, so steps of any size add up to the target exactly.
  const float factor = mScaleRate * mElapsed + 1.0f;
  // Nothing to change, or a scale squashed to zero that no ratio can restore.
  if (factor == mCurrentFactor || mCurrentFactor == 0.0f) {
    mCurrentFactor = factor;
    return;
  }
  const float ratio = factor / mCurrentFactor;
  mCurrentFactor = factor;
  transform->SetWorldScalar(transform->GetScale() * ratio);
}
