// Door triggers as players meet them: walking in lights the trigger, "Shoot"
// works the door, walking out puts the saved look back. The saved look starts
// as colour 0 and no shader, and an unlit trigger wears it from the first
// update, so a level keeps what must stay visible apart from its trigger.
#include <cstdint>

#include "components/Renderable.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelFixture.h"
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

class InteractorTest : public LevelFixture {
 protected:
  // The trigger comes first: it finds its door by name when the door is made.
  void SetUp() override {
    LevelFixture::SetUp();
    MakePlayers();
    const auto trigger = MakeObject("DoorTrigger", {L"Renderable", L"Transform", L"Collider", L"InteractorComponent"},
                                    Vector3(0.0f, 0.0f, 3.0f), Vector3(1.0f));
    interactor = trigger->GetComponentAs<InteractorComponent>(CT_InteractorComponent);
    interactor->BindInteractor("Front door");
    doorObject = MakeObject("Front door", {L"Transform", L"DoorComponent"}, Vector3(0.0f));
    door = doorObject->GetComponentAs<DoorComponent>(CT_DoorComponent);
    look = trigger->GetComponentAs<Renderable>(CT_Renderable);
    look->SetColor(kOwnColor);
    look->SetShader("glowshader");
  }

  void Enter(int player) { StepTo(player, Vector3(0.0f, 0.0f, 3.0f)); }
  void Leave(int player) { StepTo(player, Vector3(0.0f, 0.0f, 10.0f + static_cast<float>(player))); }

  std::shared_ptr<Object> doorObject;
  std::shared_ptr<InteractorComponent> interactor;
  std::shared_ptr<DoorComponent> door;
  std::shared_ptr<Renderable> look;
};

TEST_F(InteractorTest, APlayerWalksInOpensTheDoorWithShootAndTheTriggerTakesTheSavedLookOnceTheyLeave) {
  Frame(0.1f);
  EXPECT_EQ(interactor->GetBoundObjectID(), doorObject->GetID()) << "bound when the door was made";
  EXPECT_TRUE(VecNear(look->GetColor(), Vector4(0.0f))) << "the saved look, before anyone came";
  EXPECT_EQ(look->GetShader(), "");

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

  // A second player's arrival saves no highlight colour, but the shader has
  // its own rule: any shader that differs from the saved one is saved.
  Enter(2);
  Leave(1);
  EXPECT_TRUE(VecNear(look->GetColor(), kGreen)) << "Player2 is still inside";
  Leave(2);
  Frame(0.1f);
  EXPECT_FALSE(interactor->IsInteractableForPlayer("Player1"));
  EXPECT_TRUE(VecNear(look->GetColor(), Vector4(0.0f)));
  EXPECT_EQ(look->GetShader(), "defaultshader");
}

TEST_F(InteractorTest, KeyCardDoorsLightRedWithoutAKeyGreenWithOneAndStillLetGodModeThrough) {
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

  Stats(3)->AddKeyCard();
  Enter(3);
  EXPECT_TRUE(VecNear(look->GetColor(), kGreen));
  EXPECT_TRUE(interactor->IsInteractableForPlayer("Player3"));
  Leave(3);

  Stats(2)->SetGodMode(true);
  Enter(2);
  EXPECT_TRUE(VecNear(look->GetColor(), kRed));
  EXPECT_TRUE(interactor->IsInteractableForPlayer("Player2"));
  Press("Shoot", 1);
  Frame(0.1f);
  EXPECT_TRUE(door->IsOpen());
}

}  // namespace
