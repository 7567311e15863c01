#pragma once
#include <memory>

#include "behaviors/Behavior.h"
#include "meta/MetaData.h"
#include "platform/Export.h"

// Holds a place in a sequence of behaviors: blocks and never ends by itself;
// the driver decides when it is over.
class TW_API PauseBehavior : public Behavior {
 public:
  PauseBehavior() = default;

  // No duration, blocking, on the object that holds it.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  void Update(float /*dt*/) override {}
  void Release() override {}
};
