#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// The rules of a level's match: movement decay, kill limit, deaths allowed and
// a match clock. The host runs the clock with Update and judges the match.
class TW_API LevelRuleset : public Component {
 public:
  LevelRuleset() = default;

  // Restarts the match clock.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] float GetMovementDecay() const { return mPlayerMovementDecay; }
  void SetMovementDecay(float decay) { mPlayerMovementDecay = decay; }
  [[nodiscard]] std::uint32_t GetKillLimit() const { return mKillsNeededToWin; }
  void SetKillLimit(std::uint32_t kills) { mKillsNeededToWin = kills; }
  [[nodiscard]] std::uint32_t GetDeathsAllowed() const { return mDeathsAllowedPerPlayer; }
  void SetDeathsAllowed(std::uint32_t deaths) { mDeathsAllowedPerPlayer = deaths; }
  [[nodiscard]] float GetTimeLimit() const { return mTimeLimit; }
  [[nodiscard]] float GetTimeActive() const { return mTimeActive; }
  void ResetTimer() { mTimeActive = 0.0f; }
  // Advances the clock until it first reaches the time limit, then holds it.
  void Update(float dt);

 private:
  float mPlayerMovementDecay = 0.0f;
  std::uint32_t mKillsNeededToWin = 0;
  std::uint32_t mDeathsAllowedPerPlayer = 0;
  float mTimeLimit = 0.0f;
  float mTimeActive = 0.0f;
};
