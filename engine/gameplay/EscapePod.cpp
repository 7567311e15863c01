#include "gameplay/EscapePod.h"

#include <bit>

#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "gameplay/PlayerStats.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kGameEventHandler = 1;
constexpr std::uint32_t kActivationHandler = 2;
constexpr std::uint32_t kTimeUpdateHandler = 3;

// Just above 1: the pod creeps up at first and starts to accelerate once it
// has risen about its own speed.
const float kLaunchSpeed = std::bit_cast<float>(std::uint32_t{0x3F800008});

constexpr std::uint32_t kSoundCharged = 0x9938DE08;
constexpr std::uint32_t kSoundLaunched = 0xD38D4949;

}  // namespace

META::MetaData EscapePod::meta_("EscapePod", sizeof(EscapePod), META::MetaManager::Get("Component"), false,
                                &META::WriteBlock, &META::ReadBlock);

void EscapePod::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<bool>(meta_, "bool", "m_IsLaunchable", META_OFFSET(EscapePod, m_IsLaunchable));
  META::AddMember<ObjectID>(meta_, "ObjectID", "m_LauncherID", META_OFFSET(EscapePod, m_LauncherID));
  META::AddMember<std::uint32_t>(meta_, "unsigned", "m_PlayerActivatedBy", META_OFFSET(EscapePod, m_PlayerActivatedBy));
}

META::MetaData& EscapePod::GetMetaData() { return meta_; }

void EscapePod::Initialize() {
  m_IsLaunchable = false;
  m_PlayerActivatedBy = 0;
  m_LauncherID = 0;
  mLaunched = false;
  mLaunchSpeed = 0.0f;
  RegisterHandler(MT_GAME_EVENT, &EscapePod::HandleMessage, kGameEventHandler);
  RegisterHandler(MT_POD_ACTIVATION, &EscapePod::HandleActivationMessage, kActivationHandler);
  RegisterHandler(MT_TIME_UPDATE, &EscapePod::HandleTimeUpdate, kTimeUpdateHandler);
}

void EscapePod::Update(float /*dt*/) {}

void EscapePod::HandleActivationMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_POD_ACTIVATION || m_IsLaunchable) return;
  const auto& activation = static_cast<const PodActivationMessage&>(*message);
  const auto object = GetParent().lock();
  if (!object || activation.GetPodID() != object->GetID()) return;

  m_IsLaunchable = true;
  m_LauncherID = activation.GetPlayerObjID();
  m_PlayerActivatedBy = activation.GetPlayerNumber();

  const auto player = Engine::mFactory.GetObjectWithID(activation.GetPlayerObjID()).lock();
  const auto stats = player ? player->GetComponentAs<PlayerStats>(CT_PlayerStats) : nullptr;
  if (!stats) return;
  stats->SubtractPowerCell();
  Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"EscapePod", kSoundCharged, nullptr));
}

void EscapePod::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_GAME_EVENT) return;
  const auto& event = static_cast<const GameEventMessage&>(*message);
  const auto object = GetParent().lock();
  if (!object || event.GetObjectID() != object->GetID() || event.GetEventText() != "launch pod") return;

  // The escape belongs to whoever charged the pod, not whoever pressed launch.
  Engine::RelayMessage(std::make_shared<GameEventMessage>(L"EscapePod", "escape pod launched", m_LauncherID));
  if (!object->GetComponentAs<Component>(CT_Renderable)) return;
  mLaunched = true;
  mLaunchSpeed = kLaunchSpeed;
  Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"EscapePod", kSoundLaunched, nullptr));
}

void EscapePod::HandleTimeUpdate(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_TIME_UPDATE || !mLaunched) return;
  const float dt = static_cast<const TimeUpdateMessage&>(*message).GetDT();
  const auto object = GetParent().lock();
  const auto transform = object ? object->GetComponentAs<Transform>(CT_Transform) : nullptr;
  if (!transform) return;
  const Vector3 position = transform->GetPosition();
  if (position.getY() + mLaunchSpeed * dt >= mLaunchSpeed) mLaunchSpeed += mLaunchSpeed * mLaunchSpeed * dt;
  Engine::RelayMessage(
      std::make_shared<PhysicsMessage>(L"EscapePod", PMT_SET_POSITION, object->GetID(),
                                       Vector3(position.getX(), position.getY() + mLaunchSpeed * dt, position.getZ())));
}

std::shared_ptr<Component> EscapePod::CloneComponent() const { return CloneAs<EscapePod>(L"EscapePod"); }
