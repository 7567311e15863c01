#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "behaviors/Behavior.h"
#include "meta/MetaData.h"
#include "platform/Export.h"

// Moves one object after another through the host's physics: placed on the
// target when the follow distance is 0, otherwise sent towards it at the
// follow speed whenever it is farther than the distance. Ends itself when
// the follower is gone; a missing target only pauses it.
class TW_API FollowTargetBehavior : public Behavior {
 public:
  FollowTargetBehavior() = default;

  void Initialize() override {}
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Does not advance the elapsed time.
  void Update(float dt) override;
  void Release() override {}

  void SetFollowTarget(ObjectID id) { mWhatToFollow = id; }
  void SetFollowObject(ObjectID id) { mWhatIsFollowing = id; }
  void SetDistanceToFollowAt(float distance) { mDistanceToFollowAt = distance; }
  void SetFollowSpeed(float speed) { mFollowSpeed = speed; }
  [[nodiscard]] ObjectID GetFollowTarget() const { return mWhatToFollow; }
  [[nodiscard]] ObjectID GetFollowObject() const { return mWhatIsFollowing; }
  [[nodiscard]] float GetDistanceToFollowAt() const { return mDistanceToFollowAt; }
  [[nodiscard]] float GetFollowSpeed() const { return mFollowSpeed; }

 private:
  ObjectID mWhatToFollow = 0;
  ObjectID mWhatIsFollowing = 0;
  float mDistanceToFollowAt = 0.0f;
  float mFollowSpeed = 0.0f;
};
