#include "gameplay/LevelFixture.h"

#include "core/GameState.h"
#include "gameplay/RoomComponent.h"
#include "gameplay/RoomHandler.h"
#include "meta/MetaVec3.h"
#include "support/LevelTestComponents.h"

using Vectormath::Aos::Vector3;

namespace {
constexpr ListenerID kEventLogID = 0x5D0001;
constexpr ListenerID kSoundLogID = 0x5D0002;
}  // namespace

void LevelFixture::SetUp() {
  EngineFixture::SetUp();
  RoomHandler::ResetRooms();
  GameState::SetState(STATE_PLAY);
  Engine::AddSystem(new ScenarioPhysics());
  for (const wchar_t* name : {L"FloodCube", L"WarningLight"}) {
    const auto archetype = Engine::mFactory.CreateGenericArchetype(name).lock();
    Engine::mFactory.GiveArchetypeComponent(archetype, L"Transform");
  }
  // Game events and sounds are mostly relayed by listeners during the
  // broadcast, which systems never see: a host listens for them.
  Engine::RegisterListener(MT_GAME_EVENT, Callable(kEventLogID, [this](const std::shared_ptr<Message>& message) {
                             const auto& event = static_cast<const GameEventMessage&>(*message);
                             events.push_back(Event{event.GetSender(), event.GetEventText(), event.GetObjectID()});
                           }));
  Engine::RegisterListener(MT_POST_SOUND_EVENT, Callable(kSoundLogID, [this](const std::shared_ptr<Message>& message) {
                             sounds.push_back(static_cast<const PostSoundEventMessage&>(*message).GetSoundID());
                           }));
}

void LevelFixture::TearDown() {
  mPlayers.clear();
  RoomHandler::ResetRooms();
  EngineFixture::TearDown();
}

std::shared_ptr<Object> LevelFixture::MakeObject(const std::string& name, std::initializer_list<const wchar_t*> parts,
                                                 const Vector3& at, const Vector3& halfExtents) {
  auto object = Engine::mFactory.CreateGenericObject().lock();
  object->SetName(name);
  for (const wchar_t* part : parts) {
    const auto component = Engine::mFactory.GiveObjectComponent(object, part).lock();
    EXPECT_TRUE(component) << "no factory for a part of " << name;
    if (component && component->GetType() == CT_Collider)
      MemberOf<MetaVec3>(*component, "m_AabbHalfExtents") = halfExtents;
  }
  object->Initialize();
  if (const auto transform = object->GetComponentAs<Transform>(CT_Transform)) transform->SetWorldPosition(at);
  return object;
}

void LevelFixture::MakePlayers() {
  for (int number = 1; number <= 4; ++number) {
    const Vector3 above(static_cast<float>(number) * 10.0f, 1000.0f, 0.0f);
    mPlayers.push_back(
        MakeObject("Player" + std::to_string(number), {L"Transform", L"Collider", L"PlayerStats"}, above));
  }
}

std::shared_ptr<Object> LevelFixture::MakeRoom(std::uint32_t roomID, const Vector3& at, const Vector3& halfExtents) {
  auto room =
      MakeObject("Room" + std::to_string(roomID), {L"Transform", L"Collider", L"RoomComponent"}, at, halfExtents);
  MemberOf<std::uint32_t>(*room->GetComponentAs<RoomComponent>(CT_RoomComponent), "m_RoomID") = roomID;
  RoomHandler::GetRooms()[roomID] = room->GetID();
  return room;
}

void LevelFixture::StartFlooding() {
  RoomHandler::InitializeRooms();
  for (std::size_t i = 0; i < RoomHandler::GetRooms().size(); ++i) RoomHandler::IncrementRooms();
  RoomHandler::AssignRingToRooms();
  drivingFloods = true;
}

void LevelFixture::Frame(float dt) {
  if (drivingFloods && GameState::GetState() == STATE_PLAY) {
    RoomHandler::UpdateTimeSinceLastFlood(dt);
    if (RoomHandler::IsTimeToFlood()) RoomHandler::FloodRoom();
  }
  // The clock runs with the frames, so calendar seconds pass.
  RunFrame(dt, &mClock);
}

std::vector<ObjectID> LevelFixture::EventIDs(const std::string& text) const {
  std::vector<ObjectID> ids;
  for (const Event& event : events) {
    if (event.text == text) ids.push_back(event.objectID);
  }
  return ids;
}
