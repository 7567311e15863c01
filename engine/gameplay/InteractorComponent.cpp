#include "gameplay/InteractorComponent.h"

#include <array>

#include "components/Renderable.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/InputMessages.h"
#include "core/ObjectMessages.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/EscapePod.h"
#include "gameplay/PlayerStats.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"
#include "objects/Players.h"

using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

constexpr std::uint32_t kGameEventHandler = 1;
constexpr std::uint32_t kCollisionHandler = 2;
constexpr std::uint32_t kButtonHandler = 3;
constexpr std::uint32_t kCreationHandler = 4;
constexpr std::uint32_t kTimeUpdateHandler = 5;

constexpr std::array<const char*, 4> kPlayerNames{"Player1", "Player2", "Player3", "Player4"};

// A player must stand closer than 5 units to a pod to use it.
constexpr float kPodReachSquared = 25.0f;
constexpr std::uint32_t kSoundUseDoor = 0xFFBB8AE6;

const Vector4 kGreen(0.0f, 255.0f, 0.0f, 255.0f);
const Vector4 kRed(255.0f, 0.0f, 0.0f, 255.0f);

int PlayerIndex(const std::string& name) {
  for (std::size_t i = 0; i < kPlayerNames.size(); ++i) {
    if (name == kPlayerNames[i]) return static_cast<int>(i);
  }
  return -1;
}

bool SameColor(const Vector4& a, const Vector4& b) {
  return a.getX() == b.getX() && a.getY() == b.getY() && a.getZ() == b.getZ() && a.getW() == b.getW();
}

}  // namespace

META::MetaData InteractorComponent::meta_("InteractorComponent", sizeof(InteractorComponent),
                                          META::MetaManager::Get("Component"), false, &META::WriteBlock,
                                          &META::ReadBlock);

void InteractorComponent::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<std::string>(meta_, "std::string", "m_name_of_bound_door",
                               META_OFFSET(InteractorComponent, m_name_of_bound_door));
}

META::MetaData& InteractorComponent::GetMetaData() { return meta_; }

void InteractorComponent::Initialize() {
  RegisterHandler(MT_GAME_EVENT, &InteractorComponent::HandleMessage, kGameEventHandler);
  RegisterHandler(MT_COLLISION, &InteractorComponent::HandleCollisionMessage, kCollisionHandler);
  RegisterHandler(MT_BUTTON_TRIGGER, &InteractorComponent::HandleInteractionMessage, kButtonHandler);
  RegisterHandler(MT_CREATED_OBJECT, &InteractorComponent::HandleCreationMessage, kCreationHandler);
  RegisterHandler(MT_TIME_UPDATE, &InteractorComponent::HandleTimeUpdateMessage, kTimeUpdateHandler);
  mInteractable.insert(mInteractable.end(), kPlayerNames.size(), false);
}

void InteractorComponent::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

void InteractorComponent::Update(float /*dt*/) {}

bool InteractorComponent::IsInteractable(std::size_t player) const {
  return player < kPlayerNames.size() && player < mInteractable.size() && mInteractable[player];
}

void InteractorComponent::SetInteractable(std::size_t player, bool interactable) {
  if (player < kPlayerNames.size() && player < mInteractable.size()) mInteractable[player] = interactable;
}

bool InteractorComponent::IsInteractableForPlayer(const std::string& playerName) const {
  const int index = PlayerIndex(playerName);
  return index >= 0 && IsInteractable(static_cast<std::size_t>(index));
}

void InteractorComponent::SetInteractableForPlayer(const std::string& playerName, bool interactable) {
  const int index = PlayerIndex(playerName);
  if (index >= 0) SetInteractable(static_cast<std::size_t>(index), interactable);
}

void InteractorComponent::BindInteractor(const std::string& objectName) {
  m_name_of_bound_door = objectName;
  const auto object = Engine::mFactory.GetObjectByName(objectName).lock();
  mBound = object != nullptr;
  if (object) mBoundObjectID = object->GetID();
}

std::weak_ptr<Object> InteractorComponent::GetBoundObject() const {
  if (!mBound) return {};
  return Engine::mFactory.GetObjectWithID(mBoundObjectID);
}

void InteractorComponent::Interact(const std::string& command) {
  Engine::RelayMessage(
      std::make_shared<GameEventMessage>(L"InteractorComponent" + std::to_wstring(GetID()), command, mBoundObjectID));
}

void InteractorComponent::HandleCreationMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_CREATED_OBJECT) return;
  const auto created = static_cast<const CreatedObjectMessage&>(*message).GetObjectPTR().lock();
  if (!created || created->GetName() != m_name_of_bound_door) return;
  BindInteractor(created->GetName());
}

void InteractorComponent::HandleCollisionMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_COLLISION) return;
  const auto& collision = static_cast<const CollisionMessage&>(*message);
  const auto trigger = GetParent().lock();
  if (!trigger) return;
  ObjectID visitorID = 0;
  if (collision.mObjectA == trigger->GetID()) {
    visitorID = collision.mObjectB;
  } else if (collision.mObjectB == trigger->GetID()) {
    visitorID = collision.mObjectA;
  } else {
    return;
  }
  const auto visitor = Engine::mFactory.GetObjectWithID(visitorID).lock();
  if (!visitor) return;
  const int player = PlayerIndex(visitor->GetName());
  if (player < 0) return;
  const auto bound = GetBoundObject().lock();
  const auto stats = visitor->GetComponentAs<PlayerStats>(CT_PlayerStats);
  if (!bound || !stats) return;
  const auto door = bound->GetComponentAs<DoorComponent>(CT_DoorComponent);
  const auto pod = bound->GetComponentAs<EscapePod>(CT_EscapePod);
  if (!door && !pod) return;

  const bool hasKeyCard = stats->GetKeyCards() >= 1;
  const bool begins = collision.mKind == CMT_CONTACT_BEGIN;
  if (begins) {
    const bool usable = !door || (!door->IsLocked() && (!door->IsKeyRequired() || hasKeyCard));
    Highlight(*trigger, door != nullptr, usable);
  }

  const auto slot = static_cast<std::size_t>(player);
  if (door) {
    // God mode lets a player through key-card doors, though the light stays red.
    if (begins && (!door->IsKeyRequired() || hasKeyCard || stats->IsGodMode())) SetInteractable(slot, true);
    if (collision.mKind == CMT_CONTACT_END) SetInteractable(slot, false);
  } else if (stats->GetPowerCells() >= 1 || pod->IsLaunchable()) {
    // A pod trigger keeps the flag when the player leaves; the next "Shoot"
    // from afar clears it.
    SetInteractable(slot, true);
  }
}

void InteractorComponent::Highlight(Object& trigger, bool servesDoor, bool usable) {
  const auto renderable = trigger.GetComponentAs<Renderable>(CT_Renderable);
  if (!renderable) return;
  const Vector4 color = renderable->GetColor();
  const bool alreadyLit = SameColor(color, kGreen) || (servesDoor && SameColor(color, kRed));
  // Each by its own rule: a highlight colour left by another player is not
  // saved, while any shader that differs is.
  if (!alreadyLit) mSavedColor = color;
  if (renderable->GetShader() != mSavedShader) mSavedShader = renderable->GetShader();
  renderable->SetShader("defaultshader");
  renderable->SetColor(usable ? kGreen : kRed);
}

void InteractorComponent::HandleTimeUpdateMessage(const std::shared_ptr<Message>& message) {
  // From the first update on, even before any highlight: an unlit trigger
  // takes the saved look, which starts as colour 0 and no shader.
  if (!message || message->GetMessageId() != MT_TIME_UPDATE) return;
  for (std::size_t player = 0; player < kPlayerNames.size(); ++player) {
    if (IsInteractable(player)) return;
  }
  const auto trigger = GetParent().lock();
  const auto renderable = trigger ? trigger->GetComponentAs<Renderable>(CT_Renderable) : nullptr;
  if (!renderable) return;
  if (!SameColor(renderable->GetColor(), mSavedColor)) renderable->SetColor(mSavedColor);
  if (renderable->GetShader() != mSavedShader) renderable->SetShader(mSavedShader);
}

void InteractorComponent::HandleInteractionMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_BUTTON_TRIGGER) return;
  const auto& button = static_cast<const ButtonMessage&>(*message);
  const unsigned int number = button.GetPlayerID();
  if (button.GetButtonName() != "Shoot" || !IsInteractable(number)) return;
  const auto player = Players::GetPlayer("Player" + std::to_string(number + 1)).lock();
  const auto trigger = GetParent().lock();
  const auto bound = GetBoundObject().lock();
  if (!player || !trigger || !bound) return;
  const auto playerTransform = player->GetComponentAs<Transform>(CT_Transform);
  const auto boundTransform = bound->GetComponentAs<Transform>(CT_Transform);
  if (!playerTransform || !boundTransform) return;

  if (const auto door = bound->GetComponentAs<DoorComponent>(CT_DoorComponent)) {
    if (!door->IsLocked() && !door->IsOpen()) {
      Interact("open door");
    } else if (door->IsOpen()) {
      Interact("close door");
    }
    Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"DoorComponent", kSoundUseDoor, nullptr));
    return;
  }

  const auto pod = bound->GetComponentAs<EscapePod>(CT_EscapePod);
  if (!pod) return;
  const float distanceSquared = lengthSqr(playerTransform->GetPosition() - boundTransform->GetPosition());
  if (distanceSquared >= kPodReachSquared) {
    SetInteractable(number, false);
  } else if (!pod->IsLaunchable()) {
    const auto stats = player->GetComponentAs<PlayerStats>(CT_PlayerStats);
    if (stats && stats->GetPowerCells() >= 1) {
      Engine::ImmediateMessage(
          std::make_shared<PodActivationMessage>(L"Interactor", number, player->GetID(), trigger->GetID()));
    }
  } else {
    Engine::ImmediateMessage(std::make_shared<GameEventMessage>(L"Interactor", "launch pod", trigger->GetID()));
  }
}

std::shared_ptr<Component> InteractorComponent::CloneComponent() const {
  return CloneAs<InteractorComponent>(L"InteractorComponent");
}
