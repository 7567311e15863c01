#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "behaviors/Behavior.h"
#include "meta/MetaData.h"
#include "platform/Export.h"

// Grows or shrinks an object's Transform linearly to a target factor of its
// starting scale over the duration, and holds it there.
class TW_API ScaleBehavior : public Behavior {
 public:
  ScaleBehavior() = default;

  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  void Update(float dt) override;
  void Release() override {}

  void SetBehavior(ObjectID objectId, float targetFactor, float duration, bool overriding, bool blocking,
                   const std::string& group);

  [[nodiscard]] float GetScaleRate() const { return mScaleRate; }
  [[nodiscard]] float GetCurrentFactor() const { return mCurrentFactor; }

 private:
  // Factor per second.
  float mScaleRate = 0.0f;
  // The factor applied so far, relative to the starting scale; 1 even before
  // Initialize, so an early update still scales from the object's own size.
  float mCurrentFactor = 1.0f;
};
