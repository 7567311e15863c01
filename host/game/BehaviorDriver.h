#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

class Behavior;
class Message;

// The host's driver of the library's behaviors, one call per frame:
// each behavior is started once, updated while TimeLeft() is above zero and
// then released once. It learns of behaviors from the registry's creation
// announcements, so a frame costs as much as the behaviors alive, not the
// objects. Behaviors are known by component id: one that was replaced on its
// object or whose object was destroyed is forgotten and never touched again
// unless another object takes it in, when it starts afresh.
class BehaviorDriver {
 public:
  // Hears one announcement; keeps the behaviors among them.
  void Learn(const Message& message);

  // Runs the behaviors that sit on live objects, starting the new ones, and
  // drops the ones that no longer exist.
  void Update(float dt);

  // Behaviors started and not yet released.
  [[nodiscard]] std::size_t RunningCount() const;
  // Behaviors whose effect is over but that are still on their object.
  [[nodiscard]] std::size_t ReleasedCount() const;
  [[nodiscard]] bool IsTracking(std::uint32_t componentID) const;

 private:
  enum class State { Unstarted, Running, Released };
  struct Known {
    std::weak_ptr<Behavior> behavior;
    State state = State::Unstarted;
  };
  // Whether the behavior sits on an object of the registry right now.
  [[nodiscard]] static bool IsPlaced(const Behavior& behavior);

  // By component id, so they run in the order they were made.
  std::map<std::uint32_t, Known> mKnown;
};
