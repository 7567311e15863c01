#include "gameplay/PickupComponent.h"

#include "components/Collider.h"
#include "components/Renderable.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "gameplay/PlayerStats.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

namespace {

constexpr std::uint32_t kCollisionHandler = 1;
constexpr std::uint32_t kSoundCollected = 0x09138F63;

bool IsPlayerName(const std::string& name) {
  return name == "Player1" || name == "Player2" || name == "Player3" || name == "Player4";
}

}  // namespace

META::MetaData PickupComponent::meta_("PickupComponent", sizeof(PickupComponent), META::MetaManager::Get("Component"),
                                      false, &META::WriteBlock, &META::ReadBlock);

void PickupComponent::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<std::string>(meta_, "std::string", "m_PickupType", META_OFFSET(PickupComponent, m_PickupType));
}

META::MetaData& PickupComponent::GetMetaData() { return meta_; }

void PickupComponent::Initialize() {
  RegisterHandler(MT_COLLISION, &PickupComponent::HandleMessage, kCollisionHandler);
}

void PickupComponent::Update(float /*dt*/) {}

void PickupComponent::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_COLLISION) return;
  const auto& collision = static_cast<const CollisionMessage&>(*message);
  const auto pickup = GetParent().lock();
  if (!pickup) return;
  ObjectID playerID = 0;
  if (collision.mObjectA == pickup->GetID()) {
    playerID = collision.mObjectB;
  } else if (collision.mObjectB == pickup->GetID()) {
    playerID = collision.mObjectA;
  } else {
    return;
  }
  const auto player = Engine::mFactory.GetObjectWithID(playerID).lock();
  if (!player || !IsPlayerName(player->GetName())) return;
  const auto stats = player->GetComponentAs<PlayerStats>(CT_PlayerStats);
  const auto collider = pickup->GetComponentAs<Collider>(CT_Collider);
  const auto renderable = pickup->GetComponentAs<Renderable>(CT_Renderable);
  if (!collider || !renderable) return;

  // A ghost has been collected already; a second touch in the same frame finds it so.
  if (!collider->IsGhost() && stats) {
    const char* announcement = nullptr;
    if (m_PickupType == "KeyCard") {
      announcement = "keycard picked up";
    } else if (m_PickupType == "PowerCell") {
      announcement = "powercell picked up";
    }
    if (announcement != nullptr) {
      Engine::ImmediateMessage(std::make_shared<GameEventMessage>(L"PickupComponent", announcement, playerID));
      if (m_PickupType == "KeyCard") {
        stats->AddKeyCard();
      } else {
        stats->AddPowerCell();
      }
      Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"Menus", kSoundCollected, nullptr));
    }
  }
  collider->SetGhost(true);
  renderable->SetVisibility(false);
}

std::shared_ptr<Component> PickupComponent::CloneComponent() const {
  return CloneAs<PickupComponent>(L"PickupComponent");
}
