#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "behaviors/Behavior.h"
#include "meta/MetaData.h"
#include "platform/Export.h"

// Blinks an object's Renderable: equal visible and invisible phases that
// shrink linearly from the starting interval to nothing over the duration.
// The object keeps whatever visibility it had at the last update.
class TW_API FlickerBehavior : public Behavior {
 public:
  FlickerBehavior() = default;

  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  void Update(float dt) override;
  void Release() override {}

  // `interval`: seconds of the first phase.
  void SetBehavior(ObjectID objectId, float interval, float duration, bool overriding, bool blocking,
                   const std::string& group);

  [[nodiscard]] float GetInterval() const { return mInterval; }
  [[nodiscard]] float GetIntervalTimer() const { return mIntervalTimer; }

 private:
  float mInterval = 0.0f;
  float mIntervalTimer = 0.0f;
  float mIntervalDecrease = 0.0f;
};
