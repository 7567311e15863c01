#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// The way out of a flooding level. A player holding a power cell charges the
// pod through the pod's own interactor (spending the cell); a further "Shoot"
// there launches it: "escape pod launched" is announced with the id of the
// player who charged it, and the pod climbs, faster and faster, for as long
// as it exists.
class TW_API EscapePod : public Component {
 public:
  EscapePod() = default;

  void Initialize() override;
  // Game events: "launch pod" about this pod's object.
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // A charging request from the pod's interactor.
  void HandleActivationMessage(const std::shared_ptr<Message>& message);
  // Flight, while launched.
  void HandleTimeUpdate(const std::shared_ptr<Message>& message);

  [[nodiscard]] bool IsLaunchable() const { return m_IsLaunchable; }
  [[nodiscard]] bool IsLaunched() const { return mLaunched; }
  // Both names are part of the exported interface, crossed as they are:
  // GetLauncherID is the charging player's number (from 0) and
  // GetLauncherPlayerID that player's object id.
  [[nodiscard]] std::uint32_t GetLauncherID() const { return m_PlayerActivatedBy; }
  [[nodiscard]] ObjectID GetLauncherPlayerID() const { return m_LauncherID; }
  [[nodiscard]] float GetLaunchSpeed() const { return mLaunchSpeed; }
  void Update(float dt);

 private:
  bool m_IsLaunchable = false;
  std::uint32_t m_PlayerActivatedBy = 0;
  ObjectID m_LauncherID = 0;
  bool mLaunched = false;
  float mLaunchSpeed = 0.0f;
};
