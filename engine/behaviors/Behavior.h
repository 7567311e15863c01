#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "objects/Component.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"

class Object;

// A timed effect on one object. All behaviors are component type 24, told
// apart by their BehaviorType. The library never runs them: a host driver
// calls Initialize once, Update every frame while TimeLeft() is above zero,
// then Release (the reference host's BehaviorDriver). Blocking, overriding and the group are
// carried for that driver's scheduling.
class TW_API Behavior : public Component {
 public:
  Behavior() = default;
  Behavior(const Behavior& other) = default;
  Behavior& operator=(const Behavior& other) = default;
  ~Behavior() override = default;

  virtual void IncrementTime(float dt);
  // 1.0 for a behavior without a duration of its own, else the time left, never negative.
  [[nodiscard]] virtual float TimeLeft() const;
  virtual void Update(float dt) = 0;
  virtual void Release() = 0;
  [[nodiscard]] virtual const std::string& GetGroup() const { return mGroup; }
  [[nodiscard]] virtual bool IsBlocking() const { return mBlocking; }
  [[nodiscard]] virtual bool IsOverriding() const { return mOverriding; }
  // The object the effect applies to.
  [[nodiscard]] virtual ObjectID GetObjectID() const { return mObjectID; }
  // The same behavior: equal component ids.
  virtual bool operator==(const Behavior& other) const { return GetID() == other.GetID(); }
  [[nodiscard]] virtual BehaviorType GetBehaviorType() const { return mBehaviorType; }

  // Stamped by the behavior's factory.
  void SetBehaviorType(BehaviorType type) { mBehaviorType = type; }

 protected:
  // What every SetBehavior of the timed effects sets.
  void SetCommon(ObjectID objectId, float duration, bool overriding, bool blocking, const std::string& group);
  // The registered object the effect applies to, or null.
  [[nodiscard]] std::shared_ptr<Object> FindObject() const;
  // The first steps of a timed update: advance the clock, held at the
  // duration, and find the object. Null when the object is gone.
  std::shared_ptr<Object> AdvanceAndFindObject(float dt);

  float mElapsed = 0.0f;
  // 0: no end of its own.
  float mDuration = 0.0f;
  ObjectID mObjectID = 0;
  bool mBlocking = false;
  bool mOverriding = false;
  BehaviorType mBehaviorType = BT_FollowTarget;
  std::string mGroup;
};
