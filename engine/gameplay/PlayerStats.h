#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// A player's speed, damping, key cards, power cells, flare and sprint bar.
// The sprint bar and the flare recharge only while the game is in play; the
// controller reads the speed and spends sprint and flares.
class TW_API PlayerStats : public Component {
 public:
  PlayerStats() = default;

  void Initialize() override;
  // Listens to time updates; every other message is ignored.
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] int GetKeyCards() const { return mKeyCards; }
  void AddKeyCard() { ++mKeyCards; }
  void SubtractKeyCard() { --mKeyCards; }
  [[nodiscard]] int GetPowerCells() const { return mPowerCells; }
  void AddPowerCell() { ++mPowerCells; }
  void SubtractPowerCell() { --mPowerCells; }

  [[nodiscard]] float Get_Speed() const { return Speed_; }
  void Set_Speed(float speed) { Speed_ = speed; }
  void Add_Speed(float amount) { Speed_ += amount; }
  void Sub_Speed(float amount) { Speed_ -= amount; }
  [[nodiscard]] float Get_Damp() const { return Damp_; }
  void Set_Damp(float damp) { Damp_ = damp; }
  void Add_Damp(float amount) { Damp_ += amount; }
  void Sub_Damp(float amount) { Damp_ -= amount; }

  [[nodiscard]] bool IsSprinting() const { return mSprinting; }
  void SetSprinting(bool sprinting) { mSprinting = sprinting; }
  [[nodiscard]] float GetSprintLevel() const { return mSprintLevel; }

  [[nodiscard]] bool HasFlare() const { return mHasFlare; }
  void SetIfPlayerHasFlare(bool hasFlare) { mHasFlare = hasFlare; }
  [[nodiscard]] float GetTimeSinceFlareRecharge() const { return mTimeSinceFlareRecharge; }
  void ResetFlareTimer() { mTimeSinceFlareRecharge = 0.0f; }

  // Set by a flooding room; the host decides what a dead player does next.
  [[nodiscard]] bool IsDead() const { return mDead; }
  void SetDead(bool dead) { mDead = dead; }
  // Spares the player from flooding and lets them through key-card doors.
  // The library never sets it; a host's cheat handling may.
  [[nodiscard]] bool IsGodMode() const { return mGodMode; }
  void SetGodMode(bool godMode) { mGodMode = godMode; }

  // The work happens on time updates; kept for callers that tick components.
  void Update(float dt);

 private:
  void HandleTimeUpdate(float dt);

  std::int32_t mKeyCards = 0;
  std::int32_t mPowerCells = 0;
  float mSprintLevel = 0.0f;
  float mTimeSinceFlareRecharge = 0.0f;
  bool mSprinting = false;
  bool mHasFlare = false;
  float Speed_ = 0.0f;
  // Speed_ as it was at Initialize: what the sprint bar's recovery restores.
  float mBaseSpeed = 0.0f;
  float Damp_ = 0.0f;
  float mNegatedDamp = 0.0f;
  bool mDead = false;
  // Kept and copied for hosts; nothing in the library reads these two.
  bool mReservedFlag = false;
  std::int32_t mReservedIndex = 0;
  bool mGodMode = false;
  float mFlareRechargeTime = 0.0f;
};
