// Door triggers as players meet them: walking in lights the trigger, "Shoot"
// works the door, walking out puts the trigger's own look back.
#include <cstdint>
#include <sstream>

#include "components/Renderable.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelFixture.h"
#include "gameplay/PlayerStats.h"
#include "meta/MetaVec3.h"
#include "support/LevelTestComponents.h"
#include "support/VectormathAsserts.h"

using tidewater_test::VecNear;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

constexpr std::uint32_t kSoundUseTrigger = 0xFFBB8AE6;
const Vector4 kGreen(0.0f, 255.0f, 0.0f, 255.0f);
const Vector4 kRed(255.0f, 0.0f, 0.0f, 255.0f);
const Vector4 kOwnColor(0.2f, 0.4f, 0.6f, 1.0f);

// The trigger comes first: it finds its door by name when the door is made.
const char* const kLevel =
    "Trigger\n"
    "{\n"
    "\tmName : DoorTrigger\n"
    "\tTransform\n"
    "\t{\n"
    "\t\ttransformData : \t\tTransformData\n"
    "\t\t{\n"
    "\t\t\tWorldPosition : \t\t\tMetaVec3\n"
    "\t\t\t{\n"
    "\t\t\t\tx_ : 0\n"
    "\t\t\t\ty_ : 0\n"
    "\t\t\t\tz_ : 3\n"
    "\t\t\t}\n"
    "\t\t}\n"
    "\t}\n"
    "\tInteractorComponent\n"
    "\t{\n"
    "\t\tm_name_of_bound_door : Front door\n"
    "\t}\n"
    "}\n"
    "Door\n"
    "{\n"
    "\tmName : Front door\n"
    "\tDoorComponent\n"
    "\t{\n"
    "\t\tm_requires_key : 0\n"
    "\t}\n"
    "}\n";

class InteractorTest : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    MakePlayers();
    const auto doorArchetype = Engine::mFactory.CreateGenericArchetype(L"Door").lock();
    for (const wchar_t* part : {L"Transform", L"DoorComponent"})
      Engine::mFactory.GiveArchetypeComponent(doorArchetype, part);
    const auto triggerArchetype = Engine::mFactory.CreateGenericArchetype(L"Trigger").lock();
    for (const wchar_t* part : {L"Renderable", L"Transform", L"InteractorComponent"}) {
      Engine::mFactory.GiveArchetypeComponent(triggerArchetype, part);
    }
    const auto box = Engine::mFactory.GiveArchetypeComponent(triggerArchetype, L"Collider").lock();
    MemberOf<MetaVec3>(*box, "m_AabbHalfExtents") = Vector3(1.0f);
  }

  void LoadLevel() {
    std::istringstream level(kLevel);
    Engine::mDeserializer(level);
    trigger = Engine::mFactory.GetObjectByName("DoorTrigger").lock();
    doorObject = Engine::mFactory.GetObjectByName("Front door").lock();
    ASSERT_TRUE(trigger && doorObject);
    interactor = trigger->GetComponentAs<InteractorComponent>(CT_InteractorComponent);
    door = doorObject->GetComponentAs<DoorComponent>(CT_DoorComponent);
    look = trigger->GetComponentAs<Renderable>(CT_Renderable);
    look->SetColor(kOwnColor);
    look->SetShader("glowshader");
  }

  // A player steps into the trigger (and is reported in the next frame).
  void Enter(int player) {
    Teleport(Player(player), Vector3(0.0f, 0.0f, 3.0f));
    Frame(0.1f);
  }
  void Leave(int player) {
    Teleport(Player(player), Vector3(0.0f, 0.0f, 10.0f + static_cast<float>(player)));
    Frame(0.1f);
  }

  std::shared_ptr<Object> trigger;
  std::shared_ptr<Object> doorObject;
  std::shared_ptr<InteractorComponent> interactor;
  std::shared_ptr<DoorComponent> door;
  std::shared_ptr<Renderable> look;
};

TEST_F(InteractorTest, APlayerWalksInOpensTheDoorWithShootAndTheTriggerLooksItselfAgainOnceTheyLeave) {
  LoadLevel();
  Frame(0.1f);
  EXPECT_EQ(interactor->GetBoundObjectID(), doorObject->GetID()) << "bound when the door was made";
  EXPECT_TRUE(VecNear(look->GetColor(), kOwnColor)) << "nothing to put back before anyone came";

  Teleport(Player(1), Vector3(0.0f, 0.0f, 10.0f));
  Walk(Player(1), Vector3(0.0f, 0.0f, -4.0f));
  const float walked = PlayUntil([&] { return interactor->IsInteractableForPlayer("Player1"); }, 5.0f, 0.1f);
  EXPECT_NEAR(walked, 1.45f, 0.2f);  // from 10 to the trigger's edge at 4.5
  Walk(Player(1), Vector3(0.0f));
  EXPECT_TRUE(VecNear(look->GetColor(), kGreen));
  EXPECT_EQ(look->GetShader(), "defaultshader");

  // Other buttons, and players outside, do nothing.
  Press("Jump", 0);
  Press("Shoot", 1);
  Frame(0.1f);
  EXPECT_FALSE(door->IsOpen());
  EXPECT_EQ(CountSounds(kSoundUseTrigger), 0u);

  Press("Shoot", 0);
  Play(3.0f, 0.1f);
  EXPECT_TRUE(door->IsOpen());
  EXPECT_GE(PositionOf(doorObject).getY(), 5.0f);
  EXPECT_LE(PositionOf(doorObject).getY(), 5.2501f);
  EXPECT_EQ(CountSounds(kSoundUseTrigger), 1u);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().sender, L"InteractorComponent" + std::to_wstring(interactor->GetID()));

  // A second player's arrival doesn't overwrite the saved look with the highlight.
  Enter(2);
  Leave(1);
  EXPECT_TRUE(VecNear(look->GetColor(), kGreen)) << "Player2 is still inside";
  Leave(2);
  Frame(0.1f);
  EXPECT_FALSE(interactor->IsInteractableForPlayer("Player1"));
  EXPECT_TRUE(VecNear(look->GetColor(), kOwnColor));
  EXPECT_EQ(look->GetShader(), "glowshader");

  // Shoot from outside does nothing now; back inside it closes the door.
  Press("Shoot", 0);
  Frame(0.1f);
  EXPECT_TRUE(door->IsOpen());
  Enter(1);
  Press("Shoot", 0);
  Frame(0.1f);
  EXPECT_FALSE(door->IsOpen());
  EXPECT_TRUE(door->IsLocked());
}

TEST_F(InteractorTest, KeyCardDoorsLightRedWithoutAKeyAndStillLetGodModeThrough) {
  LoadLevel();
  MemberOf<bool>(*door, "m_requires_key") = true;
  Frame(0.1f);

  Enter(1);
  EXPECT_TRUE(VecNear(look->GetColor(), kRed));
  EXPECT_FALSE(interactor->IsInteractableForPlayer("Player1"));
  Press("Shoot", 0);
  Frame(0.1f);
  EXPECT_FALSE(door->IsOpen());
  EXPECT_EQ(CountSounds(kSoundUseTrigger), 0u) << "a player who may not use the trigger isn't heard";
  Leave(1);

  Player(2)->GetComponentAs<PlayerStats>(CT_PlayerStats)->SetGodMode(true);
  Enter(2);
  EXPECT_TRUE(VecNear(look->GetColor(), kRed));
  EXPECT_TRUE(interactor->IsInteractableForPlayer("Player2"));
  Press("Shoot", 1);
  Frame(0.1f);
  EXPECT_TRUE(door->IsOpen());
  Press("Shoot", 1);
  Frame(0.1f);
  ASSERT_TRUE(door->IsLocked());
  Leave(2);

  // A key card makes the light green, but not for a locked door, which
  // ignores the press (though the trigger still clicks).
  Player(3)->GetComponentAs<PlayerStats>(CT_PlayerStats)->AddKeyCard();
  Enter(3);
  EXPECT_TRUE(VecNear(look->GetColor(), kRed));
  EXPECT_TRUE(interactor->IsInteractableForPlayer("Player3"));
  Press("Shoot", 2);
  Frame(0.1f);
  EXPECT_FALSE(door->IsOpen());
  EXPECT_EQ(CountSounds(kSoundUseTrigger), 3u);
  Leave(3);
  Play(7.0f, 0.1f);
  Enter(3);
  EXPECT_TRUE(VecNear(look->GetColor(), kGreen));
}

}  // namespace
