#pragma once
#include <cstddef>
#include <memory>
#include <utility>

#include "platform/Export.h"
#include "platform/Sanitizers.h"

// Storage for the messages the library makes by the thousand: a level's
// creation and destruction notices and its resource requests. A level load
// makes tens of thousands of them and a frame later frees them all; here
// they come from slabs of their own, a thread's freed blocks serve its next
// messages without a lock, and the general heap never has to sort and merge
// them. Any thread may free a message; its block joins that thread's store.
// Under AddressSanitizer every message is a plain allocation, so that a late
// touch is caught.
class TW_API MessagePool {
 public:
  template <class T, class... Args>
  [[nodiscard]] static std::shared_ptr<T> Make(Args&&... args) {
#if defined(TW_ADDRESS_SANITIZER)
    return std::make_shared<T>(std::forward<Args>(args)...);
#else
    return std::allocate_shared<T>(Allocator<T>(), std::forward<Args>(args)...);
#endif
  }

  // A block of at least `size` bytes, aligned as operator new aligns.
  [[nodiscard]] static void* Allocate(std::size_t size);
  // `size` as given to Allocate.
  static void Free(void* block, std::size_t size) noexcept;

  template <class T>
  struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <class U>
    Allocator(const Allocator<U>& /*other*/) noexcept {}  // NOLINT: rebinding converts implicitly

    [[nodiscard]] T* allocate(std::size_t count) {
      static_assert(alignof(T) <= alignof(std::max_align_t), "pooled blocks have operator new's alignment");
      return static_cast<T*>(Allocate(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept { Free(block, count * sizeof(T)); }
    template <class U>
    bool operator==(const Allocator<U>& /*other*/) const noexcept {
      return true;
    }
  };
};
