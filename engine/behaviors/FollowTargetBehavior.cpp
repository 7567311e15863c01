#include "behaviors/FollowTargetBehavior.h"

#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

META::MetaData FollowTargetBehavior::meta_("FollowTargetBehavior", sizeof(FollowTargetBehavior),
                                           META::MetaManager::Get("Component"), false, &META::WriteBlock,
                                           &META::ReadBlock);

void FollowTargetBehavior::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<ObjectID>(meta_, "ObjectID", "mWhatToFollow", META_OFFSET(FollowTargetBehavior, mWhatToFollow));
  META::AddMember<ObjectID>(meta_, "ObjectID", "mWhatIsFollowing", META_OFFSET(FollowTargetBehavior, mWhatIsFollowing));
  META::AddMember<float>(meta_, "float", "mDistanceToFollowAt", META_OFFSET(FollowTargetBehavior, mDistanceToFollowAt));
  META::AddMember<float>(meta_, "float", "mFollowSpeed", META_OFFSET(FollowTargetBehavior, mFollowSpeed));
}

META::MetaData& FollowTargetBehavior::GetMetaData() { return meta_; }

void FollowTargetBehavior::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> FollowTargetBehavior::CloneComponent() const {
  return CloneAs<FollowTargetBehavior>(L"FollowTargetBehavior");
}

void FollowTargetBehavior::Update(float /*dt*/) {
  const auto follower = Engine::mFactory.GetObjectWithID(mWhatIsFollowing).lock();
  if (!follower) {
    // Makes TimeLeft() 0, so the driver ends the behavior.
    mElapsed = 1.0f;
    mDuration = 0.1f;
    return;
  }
  const auto target = Engine::mFactory.GetObjectWithID(mWhatToFollow).lock();
  if (!target) return;
  const auto targetTransform = target->GetComponentAs<Transform>(CT_Transform);
  if (!targetTransform) return;
  const auto followerTransform = follower->GetComponentAs<Transform>(CT_Transform);
  if (!followerTransform) return;
  const Vector3 goal = targetTransform->GetPosition();
  const Vector3 from = followerTransform->GetPosition();

  if (mDistanceToFollowAt == 0.0f) {
    if (goal.getX() != from.getX() || goal.getY() != from.getY() || goal.getZ() != from.getZ()) {
      // At once: the follower must not lag a frame behind its target.
      Engine::ImmediateMessage(
          std::make_shared<PhysicsMessage>(L"FollowTargetBehavior", PMT_SET_POSITION, mWhatIsFollowing, goal));
    }
    return;
  }
  const Vector3 toGoal = goal - from;
  const float distance = Vectormath::Aos::length(toGoal);
  // Within the distance the follower keeps the velocity it last had.
  if (distance > mDistanceToFollowAt && distance > 0.0f) {
    Engine::RelayMessage(std::make_shared<PhysicsMessage>(L"FollowTargetBehavior", PMT_SET_VELOCITY, mWhatIsFollowing,
                                                          toGoal * (mFollowSpeed / distance)));
  }
}
