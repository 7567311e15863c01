// Pickups and pressure plates as players run over them.
#include <cstdint>
#include <string>
#include <vector>

#include "components/Collider.h"
#include "components/Renderable.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelFixture.h"
#include "gameplay/PickupComponent.h"
#include "gameplay/PressurePlate.h"
#include "support/LevelTestComponents.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kSoundCollected = 0x09138F63;

class PickupTest : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    MakePlayers();
  }
  static std::shared_ptr<Object> MakePickup(const std::string& type, const Vector3& at) {
    auto pickup = MakeObject(type, {L"Renderable", L"Collider", L"Transform", L"PickupComponent"}, at);
    MemberOf<std::string>(*pickup->GetComponentAs<PickupComponent>(CT_PickupComponent), "m_PickupType") = type;
    return pickup;
  }
  static bool Gone(const std::shared_ptr<Object>& pickup) {
    return pickup->GetComponentAs<Collider>(CT_Collider)->IsGhost() &&
           !pickup->GetComponentAs<Renderable>(CT_Renderable)->GetVisibility();
  }
};

TEST_F(PickupTest, OfTwoPlayersTouchingAKeyCardInOneFrameOnlyTheFirstCollectsIt) {
  const auto card = MakePickup("KeyCard", Vector3(0.0f));
  Teleport(Player(1), Vector3(0.3f, 0.0f, 0.0f));
  Teleport(Player(2), Vector3(-0.3f, 0.0f, 0.0f));
  Frame(0.1f);

  EXPECT_EQ(Stats(1)->GetKeyCards(), 1);
  EXPECT_EQ(Stats(2)->GetKeyCards(), 0);
  EXPECT_EQ(EventIDs("keycard picked up"), std::vector<ObjectID>{Player(1)->GetID()});
  EXPECT_EQ(CountSounds(kSoundCollected), 1u);
  EXPECT_TRUE(Gone(card));

  // Walking off and back on gives nothing more.
  StepTo(2, Vector3(0.0f, 0.0f, 5.0f));
  StepTo(2, Vector3(0.0f));
  EXPECT_EQ(Stats(2)->GetKeyCards(), 0);
  EXPECT_EQ(EventIDs("keycard picked up").size(), 1u);
}

TEST_F(PickupTest, PowerCellsCountAndOtherKindsJustVanishWhileOnlyPlayersPickAnythingUp) {
  const auto cell = MakePickup("PowerCell", Vector3(0.0f));
  const auto odd = MakePickup("Medkit", Vector3(20.0f, 0.0f, 0.0f));
  const auto crate = MakeObject("Crate", {L"Transform", L"Collider"}, Vector3(0.0f, 0.0f, 0.5f));
  Frame(0.1f);
  EXPECT_FALSE(Gone(cell)) << "a crate pushed onto the cell takes nothing";

  Teleport(Player(3), Vector3(0.0f));
  StepTo(4, Vector3(20.0f, 0.0f, 0.0f));
  EXPECT_EQ(Stats(3)->GetPowerCells(), 1);
  EXPECT_EQ(EventIDs("powercell picked up"), std::vector<ObjectID>{Player(3)->GetID()});
  EXPECT_TRUE(Gone(cell));
  EXPECT_TRUE(Gone(odd));
  EXPECT_EQ(Stats(4)->GetKeyCards() + Stats(4)->GetPowerCells(), 0);
  EXPECT_EQ(CountSounds(kSoundCollected), 1u);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(PickupTest, APressurePlateOpensItsDoorWhenSteppedOnAndClosesItOnceTheActivatorIsReleased) {
  const auto door = MakeObject("Gate", {L"Transform", L"DoorComponent"}, Vector3(0.0f, 0.0f, 10.0f))
                        ->GetComponentAs<DoorComponent>(CT_DoorComponent);
  const auto plate = MakeObject("Plate", {L"Transform", L"Collider", L"InteractorComponent", L"PressurePlate"},
                                Vector3(0.0f), Vector3(1.0f));
  plate->GetComponentAs<InteractorComponent>(CT_InteractorComponent)->BindInteractor("Gate");

  Teleport(Player(2), Vector3(0.5f, 0.0f, 0.0f));
  EXPECT_FLOAT_EQ(PlayUntil([&] { return door->IsOpen(); }, 1.0f, 0.1f), 0.1f);
  EXPECT_TRUE(door->IsHeldOpen());
  // Standing anywhere but the plate's exact centre, the player counts as
  // gone at once, and the door is told to close.
  EXPECT_LE(PlayUntil([&] { return !door->IsOpen(); }, 1.0f, 0.1f), 0.21f);
  const auto activators = plate->GetComponentAs<PressurePlate>(CT_PressurePlate)->GetActivators();
  ASSERT_EQ(activators.size(), 4u);
  EXPECT_FALSE(activators[1].active);
  EXPECT_FALSE(door->IsHeldOpen());
  EXPECT_TRUE(door->IsLocked());
}

}  // namespace
