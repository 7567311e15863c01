#include "gameplay/PressurePlate.h"

#include <algorithm>
#include <array>
#include <limits>

#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/PlayerStats.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

namespace {

constexpr std::uint32_t kCollisionHandler = 1;
constexpr std::uint32_t kTimeUpdateHandler = 2;

constexpr std::array<const char*, 4> kPlayerNames{"Player1", "Player2", "Player3", "Player4"};

}  // namespace

META::MetaData PressurePlate::meta_("PressurePlate", sizeof(PressurePlate), META::MetaManager::Get("Component"), false,
                                    &META::WriteBlock, &META::ReadBlock);

// Nothing about a plate is stored in a level file.
void PressurePlate::AddMeta() { META::MetaManager::RegisterMeta(&meta_); }

META::MetaData& PressurePlate::GetMetaData() { return meta_; }

void PressurePlate::Initialize() {
  RegisterHandler(MT_COLLISION, &PressurePlate::HandleMessage, kCollisionHandler);
  RegisterHandler(MT_TIME_UPDATE, &PressurePlate::HandleTimeUpdateMessage, kTimeUpdateHandler);
  mActivators.insert(mActivators.end(), kPlayerNames.size(), Activator{});
}

void PressurePlate::Update(float /*dt*/) {}

void PressurePlate::SetActivatorAsPlayer(const std::string& playerName, bool active, ObjectID objectID) {
  for (std::size_t i = 0; i < kPlayerNames.size() && i < mActivators.size(); ++i) {
    if (playerName == kPlayerNames[i]) {
      mActivators[i].active = active;
      mActivators[i].objectID = objectID;
      return;
    }
  }
}

void PressurePlate::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_COLLISION) return;
  const auto& collision = static_cast<const CollisionMessage&>(*message);
  if (collision.mKind != CMT_CONTACT_BEGIN) return;
  const auto plate = GetParent().lock();
  if (!plate) return;
  ObjectID otherID = 0;
  if (collision.mObjectA == plate->GetID()) {
    otherID = collision.mObjectB;
  } else if (collision.mObjectB == plate->GetID()) {
    otherID = collision.mObjectA;
  } else {
    return;
  }
  const auto other = Engine::mFactory.GetObjectWithID(otherID).lock();
  if (!other || !other->GetComponentAs<PlayerStats>(CT_PlayerStats)) return;

  const auto interactor = plate->GetComponentAs<InteractorComponent>(CT_InteractorComponent);
  const auto doorObject = interactor ? interactor->GetBoundObject().lock() : nullptr;
  const auto door = doorObject ? doorObject->GetComponentAs<DoorComponent>(CT_DoorComponent) : nullptr;
  if (!door || door->IsOpen()) return;
  // Queued: the door opens when the event arrives, locked or not.
  interactor->Interact("open door");
  door->ToggleHoldOpen();
  SetActivatorAsPlayer(other->GetName(), true, otherID);
}

void PressurePlate::HandleTimeUpdateMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_TIME_UPDATE) return;
  const auto plate = GetParent().lock();
  if (!plate) return;

  const bool anyActive =
      std::any_of(mActivators.begin(), mActivators.end(), [](const Activator& activator) { return activator.active; });
  if (anyActive) {
    const auto plateTransform = plate->GetComponentAs<Transform>(CT_Transform);
    if (!plateTransform) return;
    for (Activator& activator : mActivators) {
      if (!activator.active) continue;
      const auto object = Engine::mFactory.GetObjectWithID(activator.objectID).lock();
      const auto transform = object ? object->GetComponentAs<Transform>(CT_Transform) : nullptr;
      if (!transform) continue;
      const float distanceSquared = lengthSqr(transform->GetPosition() - plateTransform->GetPosition());
      if (distanceSquared > std::numeric_limits<float>::epsilon()) activator.active = false;
    }
    return;
  }

  const auto interactor = plate->GetComponentAs<InteractorComponent>(CT_InteractorComponent);
  const auto doorObject = interactor ? interactor->GetBoundObject().lock() : nullptr;
  const auto door = doorObject ? doorObject->GetComponentAs<DoorComponent>(CT_DoorComponent) : nullptr;
  if (!door || !door->IsOpen()) return;
  interactor->Interact("close door");
  door->ToggleHoldOpen();
}

std::shared_ptr<Component> PressurePlate::CloneComponent() const { return CloneAs<PressurePlate>(L"PressurePlate"); }
