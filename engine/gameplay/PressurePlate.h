#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"

// A plate that opens a door while a player stands on it. The door is the one
// the InteractorComponent on the plate's own object is bound to. An activator
// counts as gone as soon as it is anywhere but the plate's exact origin, so in
// practice the door is told to close again a frame or two after it opened.
class TW_API PressurePlate : public Component {
 public:
  // Who stepped on the plate, one record per player ("Player1" first).
  struct Activator {
    bool active = false;
    ObjectID objectID = 0xFFFFFFFF;
  };

  PressurePlate() = default;

  void Initialize() override;
  // Contacts: a player stepping on opens the door if it is closed.
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Releases activators that moved off and closes the door when none is left.
  void HandleTimeUpdateMessage(const std::shared_ptr<Message>& message);

  // "Player1" ... "Player4" select a record; other names change nothing.
  void SetActivatorAsPlayer(const std::string& playerName, bool active, ObjectID objectID);
  [[nodiscard]] const std::vector<Activator>& GetActivators() const { return mActivators; }
  void Update(float dt);

 private:
  std::vector<Activator> mActivators;
};
