#pragma once
#include <memory>

#include "objects/ComponentFactory.h"

// The factory of behavior class T (derived from B, always Behavior): like
// ComponentTypeFactory, and it also stamps the behavior kind.
template <class B, class T>
class BehaviorTypeFactory : public ComponentFactory {
 public:
  BehaviorTypeFactory(ComponentType type, BehaviorType behaviorType)
      : ComponentFactory(type), mBehaviorType(behaviorType) {
    T::AddMeta();
  }

  [[nodiscard]] std::shared_ptr<Component> CreateComponent() override {
    std::shared_ptr<Component> component = CreateArchetypeComponent();
    AnnounceCreation(component);
    return component;
  }

  [[nodiscard]] std::shared_ptr<Component> CreateArchetypeComponent() override {
    std::shared_ptr<Component> component = AllocateZeroed<T>();
    Stamp(*component);
    std::static_pointer_cast<B>(component)->SetBehaviorType(mBehaviorType);
    return component;
  }

 private:
  BehaviorType mBehaviorType;
};
