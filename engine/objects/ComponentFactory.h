#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "objects/Component.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"

// Makes the components of one class. Every component of the game comes from
// a factory, which gives it its type and a process-wide unique id.
class TW_API ComponentFactory {
 public:
  explicit ComponentFactory(ComponentType type) : mType(type) {}
  ComponentFactory(const ComponentFactory&) = default;
  ComponentFactory& operator=(const ComponentFactory&) = default;
  virtual ~ComponentFactory() = default;

  // A component for the live game, announced on the bus.
  [[nodiscard]] virtual std::shared_ptr<Component> CreateComponent() = 0;
  // A component for an archetype, not announced.
  [[nodiscard]] virtual std::shared_ptr<Component> CreateArchetypeComponent() = 0;

  // Returns the next component id and advances the counter.
  [[nodiscard]] std::uint32_t GetNewID() const { return mID++; }
  [[nodiscard]] ComponentType GetType() const { return mType; }

  // Only ever counts up; never reset, so ids are never reused.
  static std::uint32_t mID;

 protected:
  // Zero-filled storage, then T's constructor: members the constructor leaves
  // alone read as zero. The deleter destroys a T.
  template <class T>
  [[nodiscard]] static std::shared_ptr<Component> AllocateZeroed() {
    constexpr std::align_val_t alignment{alignof(T)};
    void* storage = ::operator new(sizeof(T), alignment);
    std::memset(storage, 0, sizeof(T));
    T* component = nullptr;
    try {
      component = ::new (storage) T();
    } catch (...) {
      ::operator delete(storage, alignment);
      throw;
    }
    return std::shared_ptr<Component>(component, [](Component* doomed) {
      T* typed = static_cast<T*>(doomed);
      typed->~T();
      ::operator delete (static_cast<void*>(typed), std::align_val_t{alignof(T)});
    });
  }

  // Gives the new component its type and id.
  void Stamp(Component& component) const {
    component.mType = mType;
    component.mComponentID = mID++;
  }

  // Announces a new component (or a new object, for the Object factory).
  static void AnnounceCreation(const std::shared_ptr<Component>& component);

  ComponentType mType;
};
