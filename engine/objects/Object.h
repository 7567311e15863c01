#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "objects/Component.h"
#include "objects/ComponentMap.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"

namespace META {
class MetaData;
}
template <class T>
class ComponentTypeFactory;

// A named thing in the world: holds at most one component per type, forwards
// messages to them, starts and clones them. Made only by the "Object" factory.
class TW_API Object : public Component {
 public:
  // Shares the same component instances.
  Object(const Object& other) = default;
  // Copies name, components (shared), id and archetype name; the Component part stays.
  Object& operator=(const Object& other);
  ~Object() override = default;

  void Initialize() override;
  // Hands the message to every component, in ascending type order.
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Replaces (and announces as destroyed) a component of the same type.
  void AddComponent(const std::weak_ptr<Component>& component);
  [[nodiscard]] std::weak_ptr<Component> GetComponent(ComponentType type) const;
  // Typed access: the component held under `type` as class T, or empty.
  template <class T>
  [[nodiscard]] std::shared_ptr<T> GetComponentAs(ComponentType type) const {
    const auto found = mComponents.find(type);
    return found == mComponents.end() ? nullptr : std::static_pointer_cast<T>(found->second);
  }
  [[nodiscard]] const ComponentMap& GetComponents() const { return mComponents; }

  // A new registered object with clones of every component, initialized.
  [[nodiscard]] std::weak_ptr<Object> CloneObject() const;
  // Destroys this object through the registry.
  void Release();

  // The registry's object id (not the component id).
  [[nodiscard]] std::uint32_t GetID() const { return mID; }
  [[nodiscard]] const std::string& GetName() const { return mName; }
  void SetName(const std::string& name);
  [[nodiscard]] const std::wstring& GetArchetypeName() const { return mArchetypeName; }

 private:
  friend class ObjectFactory;
  template <class T>
  friend class ComponentTypeFactory;
  friend class ComponentFactory;
  Object();

  std::string mName = "Object";
  ComponentMap mComponents;
  ObjectID mID = 0;
  std::wstring mArchetypeName;
};
