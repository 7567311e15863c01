#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// Marks a spawn point and the number of the player who starts or respawns there.
class TW_API Spawner : public Component {
 public:
  Spawner() = default;

  void Initialize() override {}
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] std::uint32_t Get_PlayerID() const { return PlayerID_; }
  void Set_PlayerID(std::uint32_t playerID) { PlayerID_ = playerID; }

 private:
  std::uint32_t PlayerID_ = 0;
};
