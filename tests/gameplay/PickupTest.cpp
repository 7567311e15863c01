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
#include "gameplay/PlayerStats.h"
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
  static std::shared_ptr<PlayerStats> StatsOf(const std::shared_ptr<Object>& player) {
    return player->GetComponentAs<PlayerStats>(CT_PlayerStats);
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

  EXPECT_EQ(StatsOf(Player(1))->GetKeyCards(), 1);
  EXPECT_EQ(StatsOf(Player(2))->GetKeyCards(), 0);
  EXPECT_EQ(EventIDs("keycard picked up"), std::vector<ObjectID>{Player(1)->GetID()});
  EXPECT_EQ(CountSounds(kSoundCollected), 1u);
  EXPECT_TRUE(Gone(card));

  // Walking off and back on gives nothing more.
  Teleport(Player(2), Vector3(0.0f, 0.0f, 5.0f));
  Frame(0.1f);
  Teleport(Player(2), Vector3(0.0f));
  Frame(0.1f);
  EXPECT_EQ(StatsOf(Player(2))->GetKeyCards(), 0);
  EXPECT_EQ(CountEvents("keycard picked up"), 1u);
}

TEST_F(PickupTest, PowerCellsCountAndOtherKindsJustVanishWhileOnlyPlayersPickAnythingUp) {
  const auto cell = MakePickup("PowerCell", Vector3(0.0f));
  const auto odd = MakePickup("Medkit", Vector3(20.0f, 0.0f, 0.0f));
  const auto crate = MakeObject("Crate", {L"Transform", L"Collider"}, Vector3(0.0f, 0.0f, 20.0f));

  // A crate pushed onto the cell takes nothing.
  Teleport(crate, Vector3(0.0f, 0.0f, 0.5f));
  Frame(0.1f);
  EXPECT_FALSE(Gone(cell));

  Teleport(Player(3), Vector3(0.0f));
  Teleport(Player(4), Vector3(20.0f, 0.0f, 0.0f));
  Frame(0.1f);
  EXPECT_EQ(StatsOf(Player(3))->GetPowerCells(), 1);
  EXPECT_EQ(EventIDs("powercell picked up"), std::vector<ObjectID>{Player(3)->GetID()});
  EXPECT_TRUE(Gone(cell));

  EXPECT_TRUE(Gone(odd));
  EXPECT_EQ(StatsOf(Player(4))->GetKeyCards() + StatsOf(Player(4))->GetPowerCells(), 0);
  EXPECT_EQ(CountSounds(kSoundCollected), 1u);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(PickupTest, APressurePlateOpensItsDoorWhenSteppedOnAndClosesItOnceTheActivatorIsReleased) {
  const auto doorObject = MakeObject("Gate", {L"Transform", L"DoorComponent"}, Vector3(0.0f, 0.0f, 10.0f));
  const auto door = doorObject->GetComponentAs<DoorComponent>(CT_DoorComponent);
  const auto plateObject = MakeObject("Plate", {L"Transform", L"Collider", L"InteractorComponent", L"PressurePlate"},
                                      Vector3(0.0f), Vector3(1.0f));
  plateObject->GetComponentAs<InteractorComponent>(CT_InteractorComponent)->BindInteractor("Gate");
  const auto plate = plateObject->GetComponentAs<PressurePlate>(CT_PressurePlate);

  Teleport(Player(2), Vector3(0.5f, 0.0f, 0.0f));
  const float stepped = PlayUntil([&] { return door->IsOpen(); }, 1.0f, 0.1f);
  EXPECT_FLOAT_EQ(stepped, 0.1f);
  EXPECT_TRUE(door->IsHeldOpen());
  ASSERT_EQ(plate->GetActivators().size(), 4u);
  EXPECT_TRUE(plate->GetActivators()[1].active);
  EXPECT_EQ(plate->GetActivators()[1].objectID, Player(2)->GetID());

  // Standing anywhere but the plate's exact centre, the player counts as
  // gone at once, and the door is told to close.
  EXPECT_LE(PlayUntil([&] { return !door->IsOpen(); }, 1.0f, 0.1f), 0.21f);
  EXPECT_FALSE(plate->GetActivators()[1].active);
  EXPECT_FALSE(door->IsHeldOpen());
  EXPECT_TRUE(door->IsLocked());

  // With the door open when the contact arrives, stepping on does nothing.
  Play(8.0f, 0.1f);
  SendEvent("open door", doorObject->GetID());
  Teleport(Player(2), Vector3(0.0f, 0.0f, -5.0f));
  Teleport(Player(3), Vector3(0.5f, 0.0f, 0.0f));
  Frame(0.1f);
  EXPECT_FALSE(plate->GetActivators()[2].active);
  EXPECT_EQ(plate->GetActivators()[2].objectID, 0xFFFFFFFFu);
}

}  // namespace
