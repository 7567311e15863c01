#include "behaviors/Behavior.h"

#include "core/Engine.h"
#include "objects/Object.h"

void Behavior::IncrementTime(float dt) { mElapsed += dt; }

float Behavior::TimeLeft() const {
  if (mDuration == 0.0f) return 1.0f;
  const float left = mDuration - mElapsed;
  return left < 0.0f ? 0.0f : left;
}

void Behavior::SetCommon(ObjectID objectId, float duration, bool overriding, bool blocking, const std::string& group) {
  mObjectID = objectId;
  mDuration = duration;
  mOverriding = overriding;
  mBlocking = blocking;
  mGroup = group;
}

std::shared_ptr<Object> Behavior::FindObject() const { return Engine::mFactory.GetObjectWithID(mObjectID).lock(); }

std::shared_ptr<Object> Behavior::AdvanceAndFindObject(float dt) {
  IncrementTime(dt);
  if (mElapsed > mDuration) mElapsed = mDuration;
  return FindObject();
}
