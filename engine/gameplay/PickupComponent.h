#pragma once
#include <memory>
#include <string>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// A collectible: the first player to touch it gains a key card ("KeyCard")
// or a power cell ("PowerCell"); then it turns into an invisible ghost that
// gives nothing more. Other types give nothing but vanish all the same.
class TW_API PickupComponent : public Component {
 public:
  PickupComponent() = default;

  void Initialize() override;
  // Contacts with players.
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] std::string GetPickupType() const { return m_PickupType; }
  void Update(float dt);

 private:
  std::string m_PickupType;
};
