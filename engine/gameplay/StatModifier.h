#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// The statistic a modifier targets. Stored and saved as a plain 32-bit number.
enum MODTYPE : std::uint32_t {
  MOD_NONE = 0,
  MOD_SPEED = 1,
  MOD_DAMP = 2,
  MOD_KEYCARDS = 3,
  MOD_POWERCELLS = 4,
};

// Data for a pickup-style change to a player's statistics: what to change and
// by how much. Applying it is up to the game.
class TW_API StatModifier : public Component {
 public:
  StatModifier() = default;

  void Initialize() override {}
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] MODTYPE GetModifierTarget() const { return whatToModify_; }
  void SetModifierTarget(MODTYPE target) { whatToModify_ = target; }
  [[nodiscard]] float GetModificationAmount() const { return amountToModifyBy_; }
  void SetModificationAmount(float amount) { amountToModifyBy_ = amount; }

 private:
  MODTYPE whatToModify_ = MOD_NONE;
  float amountToModifyBy_ = 0.0f;
};
