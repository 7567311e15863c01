// A level whose parts vanish while the rules are busy with them, and input
// that names nobody: every rule ends quietly (run under the sanitizers).
#include <cstdint>
#include <string>

#include "core/GameFlowMessages.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelFixture.h"
#include "gameplay/RoomComponent.h"
#include "gameplay/RoomHandler.h"
#include "support/LevelTestComponents.h"

using Vectormath::Aos::Vector3;

namespace {

class LevelTeardownTest : public LevelFixture {};

TEST_F(LevelTeardownTest, PartsDestroyedMidwayAndMessagesAboutNobodyAreShruggedOff) {
  MakePlayers();
  MakeRoom(0, Vector3(0.0f));
  const auto room = MakeRoom(1, Vector3(150.0f, 0.0f, 0.0f))->GetComponentAs<RoomComponent>(CT_RoomComponent);
  const auto door = MakeObject("Door1", {L"Transform", L"DoorComponent"}, Vector3(145.0f, 0.0f, 0.0f));
  MemberOf<std::int32_t>(*door->GetComponentAs<DoorComponent>(CT_DoorComponent), "m_left_room_id") = 1;
  for (const char* bound : {"Door1", "Pod1"}) {
    MakeObject(std::string("TriggerFor") + bound,
               {L"Renderable", L"Transform", L"Collider", L"InteractorComponent", L"PressurePlate"},
               Vector3(150.0f, 0.0f, 0.0f))
        ->GetComponentAs<InteractorComponent>(CT_InteractorComponent)
        ->BindInteractor(bound);
  }
  const auto pod = MakeObject("Pod1", {L"Renderable", L"Transform", L"Collider", L"EscapePod"}, Vector3(150, 0, 1));
  MakeObject("Card", {L"Renderable", L"Collider", L"Transform", L"PickupComponent"}, Vector3(150.0f, 0.0f, 2.0f));
  for (int player = 1; player <= 4; ++player) Teleport(Player(player), Vector3(150.0f, 0.0f, 0.0f));
  StartFlooding();
  SendEvent("open door", door->GetID());
  PlayUntil([&] { return room->IsRoomFilling(); }, 20.0f);

  // The door, the pod, a player and the water go while in use.
  for (ObjectID id : {door->GetID(), pod->GetID(), Player(1)->GetID(), room->GetFloodID()})
    Engine::mFactory.Destroy(id);
  for (unsigned int player = 0; player < 8; ++player) Press("Shoot", player);
  ScenarioPhysics::Touch(0xFFFFFFFF, door->GetID());
  ScenarioPhysics::Part(pod->GetID(), 0xFFFFFFFE);
  SendEvent("launch pod", pod->GetID());
  SendEvent("open door", 0xFFFFFFFF);
  Engine::RelayMessage(std::make_shared<PodActivationMessage>(L"Interactor", 9u, 0xFFFFFFFF, pod->GetID()));
  Play(30.0f);
  EXPECT_GE(room->GetFillLevel(), 1.0f);

  // Then everything goes, the room registry still naming the rooms.
  Engine::mFactory.DestroyAllObjects();
  Play(30.0f);
  RoomHandler::FloodRoom();
  RoomHandler::AssignRingToRooms();
  EXPECT_FALSE(RoomHandler::IsARoomFlooding());
  RoomHandler::InitializeRooms();
  EXPECT_EQ(RoomHandler::HowManyRooms(), 0u);
}

}  // namespace
