#include "gameplay/RoomComponent.h"

#include <array>

#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "gameplay/PlayerStats.h"
#include "gameplay/RoomHandler.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"
#include "objects/Players.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kTimeUpdateHandler = 1;
constexpr std::uint32_t kCollisionHandler = 2;

constexpr std::array<const char*, 4> kPlayerNames{"Player1", "Player2", "Player3", "Player4"};

// The extra millisecond keeps a warning of exactly 5 s from starting the water early.
constexpr float kWarningSeconds = 5.001f;
// The water rises kFloodHeight units in 1 / kFillPerSecond (about 16.7) seconds.
constexpr float kFillPerSecond = 0.06f;
constexpr float kFloodHeight = 8.0f;

constexpr std::uint32_t kSoundWarningWithPlayerInside = 0x951B68E4;
constexpr std::uint32_t kSoundWaterRising = 0x6F4DE0E1;
constexpr std::uint32_t kSoundSomeoneDrowned = 0x880BB817;
constexpr std::uint32_t kSoundNobodyDrowned = 0xAD2C1CB0;

int PlayerIndex(const std::string& name) {
  for (std::size_t i = 0; i < kPlayerNames.size(); ++i) {
    if (name == kPlayerNames[i]) return static_cast<int>(i);
  }
  return -1;
}

void PostSound(std::uint32_t sound) {
  Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"RoomComponent", sound, nullptr));
}

void RequestPosition(ObjectID id, const Vector3& position) {
  Engine::RelayMessage(std::make_shared<PhysicsMessage>(L"RoomComponent", PMT_SET_POSITION, id, position));
}

}  // namespace

META::MetaData RoomComponent::meta_("RoomComponent", sizeof(RoomComponent), META::MetaManager::Get("Component"), false,
                                    &META::WriteBlock, &META::ReadBlock);

RoomComponent::RoomComponent() {
  mFloodID = kNoObject;
  mWarningLightID = kNoObject;
}

void RoomComponent::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<float>(meta_, "float", "m_FillLevel", META_OFFSET(RoomComponent, m_FillLevel));
  META::AddMember<bool>(meta_, "bool", "m_RoomIsFilling", META_OFFSET(RoomComponent, m_RoomIsFilling));
  META::AddMember<std::uint32_t>(meta_, "unsigned", "m_RoomID", META_OFFSET(RoomComponent, m_RoomID));
}

META::MetaData& RoomComponent::GetMetaData() { return meta_; }

void RoomComponent::Initialize() {
  RegisterHandler(MT_TIME_UPDATE, &RoomComponent::HandleMessage, kTimeUpdateHandler);
  RegisterHandler(MT_COLLISION, &RoomComponent::HandleCollisionMessage, kCollisionHandler);
  m_FillLevel = 0.0f;
  m_RoomIsFilling = false;
  mFillSignal = false;
  mWarningTime = 0.0f;
  mWarningShown = false;
  mPlayersInside.insert(mPlayersInside.end(), kPlayerNames.size(), false);
}

bool RoomComponent::IsPlayerInside(const std::string& playerName) const {
  const int index = PlayerIndex(playerName);
  return index >= 0 && static_cast<std::size_t>(index) < mPlayersInside.size() && mPlayersInside[index];
}

void RoomComponent::HandleCollisionMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_COLLISION) return;
  const auto& collision = static_cast<const CollisionMessage&>(*message);
  const auto object = GetParent().lock();
  if (!object) return;
  ObjectID other = 0;
  if (collision.mObjectA == object->GetID()) {
    other = collision.mObjectB;
  } else if (collision.mObjectB == object->GetID()) {
    other = collision.mObjectA;
  } else {
    return;
  }
  const auto visitor = Engine::mFactory.GetObjectWithID(other).lock();
  if (!visitor) return;
  const int index = PlayerIndex(visitor->GetName());
  if (index < 0 || static_cast<std::size_t>(index) >= mPlayersInside.size()) return;
  if (collision.mKind == CMT_CONTACT_BEGIN) {
    mPlayersInside[index] = true;
  } else if (collision.mKind == CMT_CONTACT_END) {
    mPlayersInside[index] = false;
  }
}

void RoomComponent::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_TIME_UPDATE) return;
  Step(static_cast<const TimeUpdateMessage&>(*message).GetDT());
}

void RoomComponent::Update(float /*dt*/) {}

void RoomComponent::Step(float dt) {
  if (!m_RoomIsFilling && !mFillSignal) return;
  if (GameState::GetState() != STATE_PLAY) return;

  if (m_RoomIsFilling && m_FillLevel < 1.0f) {
    const auto cube = Engine::mFactory.GetObjectWithID(mFloodID).lock();
    const auto transform = cube ? cube->GetComponentAs<Transform>(CT_Transform) : nullptr;
    if (transform) {
      // The cube keeps the x and z the physics gives it; only its height is ours.
      const Vector3 at = transform->GetPosition();
      RequestPosition(mFloodID, Vector3(at.getX(), mFloodFeedbackStart.getY() + m_FillLevel * kFloodHeight, at.getZ()));
    }
    m_FillLevel += dt * kFillPerSecond;
  } else if (m_RoomIsFilling) {
    m_RoomIsFilling = false;
    // A room chosen again while its water rose is still signalled; full is
    // final, so that signal must not start a second warning and kill again.
    mFillSignal = false;
    RoomHandler::RemoveRoomFromRing(mRing, m_RoomID);
    KillPlayersInRoom();
    if (mWarningLightID != kNoObject) {
      Engine::mFactory.Destroy(mWarningLightID);
      mWarningLightID = kNoObject;
    }
  } else {
    Warn(dt);
  }
}

void RoomComponent::Warn(float dt) {
  if (!mWarningShown) {
    for (std::size_t i = 0; i < mPlayersInside.size() && i < kPlayerNames.size(); ++i) {
      if (mPlayersInside[i]) {
        PostSound(kSoundWarningWithPlayerInside);
        break;
      }
    }
    const auto light = Engine::mFactory.CreateArchetypedObject(L"WarningLight").lock();
    mWarningShown = true;
    if (light) {
      mWarningLightID = light->GetID();
      const auto object = GetParent().lock();
      const auto transform = object ? object->GetComponentAs<Transform>(CT_Transform) : nullptr;
      if (transform) RequestPosition(mWarningLightID, transform->GetPosition());
    }
  }

  if (mWarningTime < kWarningSeconds) {
    mWarningTime += dt;
  } else {
    m_RoomIsFilling = true;
    mFillSignal = false;
    PostSound(kSoundWaterRising);
  }
}

void RoomComponent::KillPlayersInRoom() {
  bool killed = false;
  const auto room = GetParent().lock();
  std::array<std::shared_ptr<Object>, 4> players;
  bool everyoneThere = room != nullptr;
  for (std::size_t i = 0; i < players.size(); ++i) {
    players[i] = Players::GetPlayer(kPlayerNames[i]).lock();
    everyoneThere = everyoneThere && players[i] != nullptr;
  }
  if (everyoneThere) {
    for (std::size_t i = 0; i < players.size() && i < mPlayersInside.size(); ++i) {
      if (!mPlayersInside[i]) continue;
      const auto stats = players[i]->GetComponentAs<PlayerStats>(CT_PlayerStats);
      if (stats && !stats->IsGodMode()) {
        stats->SetDead(true);
        killed = true;
      }
      // Announced even for a player spared by god mode: the host decides.
      Engine::ImmediateMessage(
          std::make_shared<GameEventMessage>(L"RoomComponent", "player died", players[i]->GetID()));
    }
  }
  PostSound(killed ? kSoundSomeoneDrowned : kSoundNobodyDrowned);
}

std::shared_ptr<Component> RoomComponent::CloneComponent() const { return CloneAs<RoomComponent>(L"RoomComponent"); }
