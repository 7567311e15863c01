#pragma once
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// Ends its object after a set time: bullets, pellets, flares. The clock runs
// only in play, but an object whose time is up goes on the next time update
// whatever the state.
class TW_API LifeTime : public Component {
 public:
  LifeTime() = default;

  // Starts listening to time updates.
  void Initialize() override;
  // Sets the seconds the object may live; does not start listening.
  void Initialize(float timeAllowedToLive);
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] float GetTimeAlive() const { return timeSpentAlive_; }
  [[nodiscard]] float GetTimeAllowedToLive() const { return timeAllowedToLive_; }
  // The same step for callers that drive the component themselves: counts in
  // any state and leaves the bus listener alone.
  void Update(float dt);

 private:
  void DestroyParent() const;

  float timeSpentAlive_ = 0.0f;
  float timeAllowedToLive_ = 0.0f;
};
