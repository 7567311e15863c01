#include "gameplay/DoorComponent.h"

#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "gameplay/RoomComponent.h"
#include "gameplay/RoomHandler.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kGameEventHandler = 1;
constexpr std::uint32_t kTimeUpdateHandler = 2;

constexpr float kLockSeconds = 7.0f;
constexpr float kSelfCloseSeconds = 10.0f;
constexpr float kOpenHeight = 5.0f;
constexpr float kSlideSpeed = 2.5f;
// A sinking door this close to its closed height snaps onto it.
constexpr float kClosedTolerance = 0.001f;

constexpr std::uint32_t kSoundOpen = 0xBE92F046;
constexpr std::uint32_t kSoundClose = 0xA234F592;
constexpr std::uint32_t kSoundCloseSealed = 0x7C8694FC;

void PostSound(std::uint32_t sound) {
  Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"DoorComponent", sound, nullptr));
}

void SendNow(const char* text, ObjectID door) {
  Engine::ImmediateMessage(std::make_shared<GameEventMessage>(L"DoorComponent", text, door));
}

void RequestPosition(ObjectID door, const Vector3& position) {
  Engine::RelayMessage(std::make_shared<PhysicsMessage>(L"DoorComponent", PMT_SET_POSITION, door, position));
}

// The room registered under `roomID`, if it still exists and is a room.
std::shared_ptr<RoomComponent> FindRoom(std::int32_t roomID) {
  const auto& rooms = RoomHandler::GetRooms();
  const auto found = rooms.find(static_cast<std::uint32_t>(roomID));
  if (found == rooms.end()) return nullptr;
  const auto object = Engine::mFactory.GetObjectWithID(found->second).lock();
  if (!object) return nullptr;
  return object->GetComponentAs<RoomComponent>(CT_RoomComponent);
}

}  // namespace

META::MetaData DoorComponent::meta_("DoorComponent", sizeof(DoorComponent), META::MetaManager::Get("Component"), false,
                                    &META::WriteBlock, &META::ReadBlock);

void DoorComponent::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<std::int32_t>(meta_, "int", "m_left_room_id", META_OFFSET(DoorComponent, m_left_room_id));
  META::AddMember<std::int32_t>(meta_, "int", "m_right_room_id", META_OFFSET(DoorComponent, m_right_room_id));
  META::AddMember<float>(meta_, "float", "m_time_locked", META_OFFSET(DoorComponent, m_time_locked));
  META::AddMember<bool>(meta_, "bool", "m_is_open", META_OFFSET(DoorComponent, m_is_open));
  META::AddMember<bool>(meta_, "bool", "m_locked", META_OFFSET(DoorComponent, m_locked));
  META::AddMember<bool>(meta_, "bool", "m_requires_key", META_OFFSET(DoorComponent, m_requires_key));
  META::AddMember<bool>(meta_, "bool", "m_closes_automatically", META_OFFSET(DoorComponent, m_closes_automatically));
}

META::MetaData& DoorComponent::GetMetaData() { return meta_; }

void DoorComponent::Initialize() {
  m_is_open = false;
  m_locked = false;
  m_time_locked = 0.0f;
  mTimeOpen = 0.0f;
  mHoldOpen = false;
  mSealed = false;
  mOpening = false;
  RegisterHandler(MT_GAME_EVENT, &DoorComponent::HandleMessage, kGameEventHandler);
  RegisterHandler(MT_TIME_UPDATE, &DoorComponent::HandleTimeUpdate, kTimeUpdateHandler);
}

void DoorComponent::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_GAME_EVENT) return;
  const auto& event = static_cast<const GameEventMessage&>(*message);
  const auto object = GetParent().lock();
  if (!object) return;
  const ObjectID self = object->GetID();
  const std::string text = event.GetEventText();

  // Opening by name ignores the lock: plates and scripted events can always
  // open a door; only players at a trigger are turned away.
  if (text == "open door" && event.GetObjectID() == self && !m_is_open) {
    const auto transform = object->GetComponentAs<Transform>(CT_Transform);
    if (!transform) return;
    mClosedPosition = transform->GetPosition();
    mOpening = true;
    mClosing = false;
    m_is_open = true;
    PostSound(kSoundOpen);
    return;
  }
  if (text == "close door" && event.GetObjectID() == self && m_is_open) {
    mOpening = false;
    mClosing = true;
    m_is_open = false;
    m_locked = true;
    PostSound(mSealed ? kSoundCloseSealed : kSoundClose);
    return;
  }
  if (text == "open door" && m_locked) SendNow("door is locked", self);
}

void DoorComponent::HandleTimeUpdate(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_TIME_UPDATE) return;
  Step(static_cast<const TimeUpdateMessage&>(*message).GetDT());
}

void DoorComponent::Update(float /*dt*/) {}

void DoorComponent::Step(float dt) {
  const auto object = GetParent().lock();
  if (!object) return;
  const ObjectID self = object->GetID();

  if (m_locked && !mSealed) {
    m_time_locked += dt;
    if (m_time_locked >= kLockSeconds) {
      m_locked = false;
      m_time_locked = 0.0f;
    }
  }

  if (m_closes_automatically && m_is_open) {
    mTimeOpen += dt;
    if (mTimeOpen >= kSelfCloseSeconds) {
      // Our own handler closes and locks the door before this returns.
      SendNow("close door", self);
      m_is_open = false;
      mTimeOpen = 0.0f;
    }
  }

  // The menus freeze the world, not the timers.
  if (GameState::GetState() != STATE_MENU) Move(dt, self);

  SealIfARoomFloods(self);
}

void DoorComponent::Move(float dt, ObjectID self) {
  const auto object = GetParent().lock();
  if (!object) return;
  const auto transform = object->GetComponentAs<Transform>(CT_Transform);
  if (!transform) return;
  const Vector3 position = transform->GetPosition();
  if (mOpening) {
    // Stops on the first update at or past the top, so it may overshoot a little.
    if (position.getY() < mClosedPosition.getY() + kOpenHeight) {
      RequestPosition(self, Vector3(position.getX(), position.getY() + dt * kSlideSpeed, position.getZ()));
    } else {
      mOpening = false;
    }
  } else if (mClosing) {
    if (position.getY() > mClosedPosition.getY() + kClosedTolerance) {
      RequestPosition(self, Vector3(position.getX(), position.getY() - dt * kSlideSpeed, position.getZ()));
    } else {
      RequestPosition(self, mClosedPosition);
      mClosing = false;
    }
  }
}

void DoorComponent::SealIfARoomFloods(ObjectID self) {
  const auto left = FindRoom(m_left_room_id);
  const auto right = FindRoom(m_right_room_id);
  if (!left || !right) return;
  if (left->GetFillLevel() <= 0.0f && right->GetFillLevel() <= 0.0f) return;
  if (m_is_open) {
    SendNow("close door", self);
  } else {
    m_locked = true;
  }
  // Sealed doors skip the unlock timer for the rest of the level.
  mSealed = true;
}

std::shared_ptr<Component> DoorComponent::CloneComponent() const { return CloneAs<DoorComponent>(L"DoorComponent"); }
