#pragma once
#include <memory>

#include "objects/ComponentFactory.h"

// The factory of component class T; constructing it registers T's members.
template <class T>
class ComponentTypeFactory : public ComponentFactory {
 public:
  explicit ComponentTypeFactory(ComponentType type) : ComponentFactory(type) { T::AddMeta(); }

  [[nodiscard]] std::shared_ptr<Component> CreateComponent() override {
    std::shared_ptr<Component> component = CreateArchetypeComponent();
    AnnounceCreation(component);
    return component;
  }

  [[nodiscard]] std::shared_ptr<Component> CreateArchetypeComponent() override {
    std::shared_ptr<Component> component = AllocateZeroed<T>();
    Stamp(*component);
    return component;
  }
};
