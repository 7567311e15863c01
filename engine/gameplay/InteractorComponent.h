#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Object;

// A trigger next to a door or an escape pod. A player walking in lights it up
// (green: usable, red: a locked door or a missing key card) and may then use
// it: "Shoot" opens or closes the door, or charges and launches the pod. The
// trigger finds what it serves by name when that object is created.
class TW_API InteractorComponent : public Component {
 public:
  InteractorComponent() = default;

  void Initialize() override;
  // Registered for game events, which it has no use for.
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Players entering and leaving the trigger.
  void HandleCollisionMessage(const std::shared_ptr<Message>& message);
  // A player's "Shoot" press.
  void HandleInteractionMessage(const std::shared_ptr<Message>& message);
  // Binds to the served object when it is created under the bound name.
  void HandleCreationMessage(const std::shared_ptr<Message>& message);
  // Puts the trigger's own look back once nobody may use it.
  void HandleTimeUpdateMessage(const std::shared_ptr<Message>& message);

  // Sends `command` ("open door", "close door") about the served object.
  void Interact(const std::string& command);
  // Serves the live object called `objectName` (and remembers the name).
  void BindInteractor(const std::string& objectName);
  // "Player1" ... "Player4"; other names read false and are not stored.
  [[nodiscard]] bool IsInteractableForPlayer(const std::string& playerName) const;
  void SetInteractableForPlayer(const std::string& playerName, bool interactable);
  [[nodiscard]] ObjectID GetBoundObjectID() const { return mBoundObjectID; }
  // The served object; empty until bound or once it is gone.
  [[nodiscard]] std::weak_ptr<Object> GetBoundObject() const;
  [[nodiscard]] const std::string& GetBoundObjectName() const { return m_name_of_bound_door; }
  void Update(float dt);

 private:
  [[nodiscard]] bool IsInteractable(std::size_t player) const;
  void SetInteractable(std::size_t player, bool interactable);
  void Highlight(Object& trigger, bool servesDoor, bool usable);

  ObjectID mBoundObjectID = 0;
  std::string m_name_of_bound_door;
  Vectormath::Aos::Vector4 mSavedColor{0.0f};
  std::vector<bool> mInteractable;
  std::string mSavedShader;
  // Set once BindInteractor has found the object: id 0 is a real object id.
  bool mBound = false;
};
