#pragma once
#include <cstddef>
#include <cstdint>
#include <map>

// The host's driver of the library's behaviors, one call per frame:
// each behavior is started once, updated while TimeLeft() is above zero and
// then released once. Behaviors are known by component id only, so one that
// was replaced on its object or whose object was destroyed is simply
// forgotten, never touched again.
class BehaviorDriver {
 public:
  // Picks up behaviors that appeared since the last frame, runs the others,
  // and forgets the ones that are gone.
  void Update(float dt);

  // Behaviors started and not yet released.
  [[nodiscard]] std::size_t RunningCount() const;
  // Behaviors whose effect is over but that are still on their object.
  [[nodiscard]] std::size_t ReleasedCount() const;
  [[nodiscard]] bool IsTracking(std::uint32_t componentID) const { return mReleased.count(componentID) != 0; }

 private:
  // Component id to whether the behavior has been released.
  std::map<std::uint32_t, bool> mReleased;
};
