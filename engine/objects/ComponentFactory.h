#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "objects/Component.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"
#include "platform/Sanitizers.h"

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
  // Hands out zero-filled storage and constructs in it with T's default
  // constructor, which it may reach as a part of the factory.
  template <class T>
  struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <class U>
    ZeroedAllocator(const ZeroedAllocator<U>& /*other*/) noexcept {}  // NOLINT: rebinding converts implicitly

    [[nodiscard]] T* allocate(std::size_t count) {
      void* storage = ::operator new (count * sizeof(T), std::align_val_t{alignof(T)});
      std::memset(storage, 0, count * sizeof(T));
      return static_cast<T*>(storage);
    }
    void deallocate(T* storage, std::size_t /*count*/) noexcept {
      ::operator delete (static_cast<void*>(storage), std::align_val_t{alignof(T)});
    }
    template <class U>
    void construct(U* storage) {
      Construct(storage);
    }
    template <class U>
    void destroy(U* doomed) noexcept {
      doomed->~U();
    }
    // A throwing constructor leaves the storage to the caller to free.
    template <class U>
    static U* Construct(U* storage) {
      return ::new (static_cast<void*>(storage)) U();
    }
    template <class U>
    bool operator==(const ZeroedAllocator<U>& /*other*/) const noexcept {
      return true;
    }
  };

  // Zero-filled storage, then T's constructor: members the constructor leaves
  // alone read as zero. One block holds the component and its shared count;
  // under AddressSanitizer they stay apart, so that the component's storage
  // is freed, and any later touch caught, as soon as the last owner goes.
  template <class T>
  [[nodiscard]] static std::shared_ptr<Component> AllocateZeroed() {
#if defined(TW_ADDRESS_SANITIZER)
    T* storage = ZeroedAllocator<T>().allocate(1);
    T* component = nullptr;
    try {
      component = ZeroedAllocator<T>::Construct(storage);
    } catch (...) {
      ZeroedAllocator<T>().deallocate(storage, 1);
      throw;
    }
    return std::shared_ptr<Component>(component, [](Component* doomed) {
      T* typed = static_cast<T*>(doomed);
      typed->~T();
      ZeroedAllocator<T>().deallocate(typed, 1);
    });
#else
    return std::allocate_shared<T>(ZeroedAllocator<T>());
#endif
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
