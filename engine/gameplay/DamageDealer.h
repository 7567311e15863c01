#pragma once
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// How much damage an object (a bullet, a hazard) deals; read by the game.
class TW_API DamageDealer : public Component {
 public:
  DamageDealer() = default;

  void Initialize() override {}
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] float Get_Damage() const { return Damage_; }
  void Set_Damage(float damage) { Damage_ = damage; }

 private:
  float Damage_ = 0.0f;
};
