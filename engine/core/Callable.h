#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Export.h"

class Message;

// Identity of a listener. Wider than the handler addresses it replaces so that
// ids made from (component id, handler number) can never collide.
using ListenerID = std::int64_t;

// A listener on the bus: an id (the only thing compared) and a handler.
// A listener may name an owner; once the owner is gone the bus neither calls
// the listener nor keeps its entry, so a destroyed component is never called.
class TW_API Callable {
 public:
  using Function = std::function<void(const std::shared_ptr<Message>&)>;

  Callable(ListenerID id, Function function) : mID(id), mFunction(std::move(function)) {}
  Callable(ListenerID id, Function function, std::weak_ptr<const void> owner)
      : mID(id), mFunction(std::move(function)), mOwner(std::move(owner)), mOwned(true) {}

  // Equal ids mean the same listener, whatever the functions hold.
  [[nodiscard]] bool operator==(const Callable& other) const { return mID == other.mID; }

  // Throws std::bad_function_call when the function is empty.
  void operator()(const std::shared_ptr<Message>& message) const { mFunction(message); }

  [[nodiscard]] ListenerID GetID() const { return mID; }
  [[nodiscard]] bool HasOwner() const { return mOwned; }
  // Keeps the owner alive for the length of one call; empty when it is gone.
  [[nodiscard]] std::shared_ptr<const void> LockOwner() const { return mOwner.lock(); }
  [[nodiscard]] bool IsExpired() const { return mOwned && mOwner.expired(); }

 private:
  ListenerID mID;
  Function mFunction;
  std::weak_ptr<const void> mOwner;
  bool mOwned = false;
};
