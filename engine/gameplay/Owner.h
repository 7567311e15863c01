#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"

// The object this one belongs to, by id: for a projectile, the player who fired it.
class TW_API Owner : public Component {
 public:
  Owner() = default;

  void Initialize() override {}
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] std::uint32_t Get_Owner() const { return Owner_; }
  void Set_Owner(std::uint32_t owner) { Owner_ = owner; }

 private:
  ObjectID Owner_ = 0;
};
