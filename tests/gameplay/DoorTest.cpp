// Doors as a level uses them: told to open and close by game events, rising
// and sinking through the host's physics, locking after every close, closing
// themselves, and sealing beside a flooding room.
#include <cstdint>
#include <vector>

#include "core/GameState.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelFixture.h"
#include "gameplay/RoomComponent.h"
#include "support/LevelTestComponents.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kSoundOpen = 0xBE92F046;
constexpr std::uint32_t kSoundClose = 0xA234F592;
constexpr std::uint32_t kSoundCloseSealed = 0x7C8694FC;
constexpr std::uint32_t kSoundUseTrigger = 0xFFBB8AE6;

class DoorTest : public LevelFixture {
 protected:
  static std::shared_ptr<DoorComponent> MakeDoor(const std::string& name, const Vector3& at) {
    return MakeObject(name, {L"Transform", L"DoorComponent"}, at)->GetComponentAs<DoorComponent>(CT_DoorComponent);
  }
  static ObjectID IdOf(const std::shared_ptr<DoorComponent>& door) { return door->GetParent().lock()->GetID(); }
  static std::shared_ptr<Object> ObjectOf(const std::shared_ptr<DoorComponent>& door) {
    return door->GetParent().lock();
  }
  static void Between(const std::shared_ptr<DoorComponent>& door, std::int32_t left, std::int32_t right) {
    MemberOf<std::int32_t>(*door, "m_left_room_id") = left;
    MemberOf<std::int32_t>(*door, "m_right_room_id") = right;
  }
  // Opens and closes a door: it ends closed and locked.
  void Slam(const std::shared_ptr<DoorComponent>& door) {
    SendEvent("open door", IdOf(door));
    Frame(0.1f);
    SendEvent("close door", IdOf(door));
    Frame(0.1f);
  }
};

TEST_F(DoorTest, ADoorToldByNameOpensEvenWhenLockedAndLockedDoorsAnswerEveryOtherOpen) {
  const auto a = MakeDoor("DoorA", Vector3(0.0f));
  const auto b = MakeDoor("DoorB", Vector3(20.0f, 0.0f, 0.0f));
  const auto unlocked = MakeDoor("DoorC", Vector3(40.0f, 0.0f, 0.0f));
  Slam(a);
  Slam(b);
  ASSERT_TRUE(a->IsLocked() && b->IsLocked());
  ASSERT_FALSE(a->IsOpen() || b->IsOpen());

  events.clear();
  SendEvent("open door", IdOf(a));
  Frame(0.1f);
  EXPECT_TRUE(a->IsOpen());
  EXPECT_TRUE(a->IsLocked()) << "opening by name leaves the lock alone";
  EXPECT_EQ(EventIDs("door is locked"), std::vector<ObjectID>{IdOf(b)});
  EXPECT_EQ(events.back().sender, L"DoorComponent");

  // Open already, the locked door answers too.
  events.clear();
  SendEvent("open door", IdOf(a));
  Frame(0.1f);
  EXPECT_EQ(EventIDs("door is locked"), (std::vector<ObjectID>{IdOf(a), IdOf(b)}));
  EXPECT_FALSE(unlocked->IsOpen());
}

TEST_F(DoorTest, ADoorRisesFiveUnitsAndSinksBackExactlyWhileTheMenusFreezeItButNotItsLock) {
  const auto door = MakeDoor("Door", Vector3(3.0f, 2.0f, -4.0f));
  SendEvent("open door", IdOf(door));
  Play(3.0f, 0.1f);
  const Vector3 top = PositionOf(ObjectOf(door));
  EXPECT_GE(top.getY(), 7.0f);
  EXPECT_LE(top.getY(), 7.2501f) << "stops on the first update at or past 5 units up";
  EXPECT_EQ(top.getX(), 3.0f);
  EXPECT_EQ(top.getZ(), -4.0f);
  EXPECT_EQ(CountSounds(kSoundOpen), 1u);

  GameState::SetState(STATE_MENU);
  SendEvent("close door", IdOf(door));
  Play(2.0f, 0.1f);
  EXPECT_EQ(PositionOf(ObjectOf(door)).getY(), top.getY());
  EXPECT_TRUE(door->IsLocked());
  EXPECT_EQ(CountSounds(kSoundClose), 1u);

  GameState::SetState(STATE_PLAY);
  Play(3.5f, 0.1f);
  const Vector3 bottom = PositionOf(ObjectOf(door));
  EXPECT_EQ(bottom.getY(), 2.0f);
  EXPECT_EQ(bottom.getX(), 3.0f);
  // The lock counted through the menus: 5.5 s so far, 7 s in all.
  EXPECT_TRUE(door->IsLocked());
  Play(1.6f, 0.1f);
  EXPECT_FALSE(door->IsLocked());
}

TEST_F(DoorTest, ASelfClosingDoorShutsAfterTenSecondsAndCanBeUsedAgainSevenSecondsLater) {
  MakePlayers();
  const auto door = MakeDoor("Door1", Vector3(0.0f));
  MemberOf<bool>(*door, "m_closes_automatically") = true;
  const auto trigger =
      MakeObject("Trigger1", {L"Renderable", L"Transform", L"Collider", L"InteractorComponent"}, Vector3(0, 0, 3));
  trigger->GetComponentAs<InteractorComponent>(CT_InteractorComponent)->BindInteractor("Door1");
  Teleport(Player(1), Vector3(0.0f, 0.0f, 3.0f));
  Frame(0.1f);
  Press("Shoot", 0);
  Frame(0.1f);
  ASSERT_TRUE(door->IsOpen());

  const float open = PlayUntil([&] { return !door->IsOpen(); }, 20.0f, 0.1f);
  EXPECT_NEAR(open, 10.0f, 0.15f);
  EXPECT_TRUE(door->IsLocked());
  EXPECT_EQ(EventIDs("close door"), std::vector<ObjectID>{IdOf(door)});

  Play(6.5f, 0.1f);
  Press("Shoot", 0);
  Frame(0.1f);
  EXPECT_FALSE(door->IsOpen()) << "still locked";
  EXPECT_LT(PlayUntil([&] { return !door->IsLocked(); }, 2.0f, 0.1f), 0.6f);
  Press("Shoot", 0);
  Frame(0.1f);
  EXPECT_TRUE(door->IsOpen());
  EXPECT_EQ(CountSounds(kSoundUseTrigger), 3u);
}

TEST_F(DoorTest, DoorsBesideAFloodingRoomShutAndStaySealed) {
  MakeRoom(0, Vector3(0.0f));
  const auto flooding = MakeRoom(1, Vector3(150.0f, 0.0f, 0.0f))->GetComponentAs<RoomComponent>(CT_RoomComponent);
  MakeRoom(2, Vector3(0.0f, 0.0f, 30.0f));
  const auto open = MakeDoor("OpenDoor", Vector3(100.0f, 0.0f, 0.0f));
  const auto shut = MakeDoor("ShutDoor", Vector3(100.0f, 0.0f, 20.0f));
  const auto dry = MakeDoor("DryDoor", Vector3(0.0f, 0.0f, 15.0f));
  const auto stray = MakeDoor("StrayDoor", Vector3(140.0f, 0.0f, 0.0f));
  Between(open, 1, 0);
  Between(shut, 2, 1);
  Between(dry, 0, 2);
  Between(stray, 1, 77);  // room 77 is not in the level
  StartFlooding();
  Slam(dry);
  SendEvent("open door", IdOf(open));
  SendEvent("open door", IdOf(stray));
  Frame(0.125f);

  PlayUntil([&] { return flooding->GetFillLevel() > 0.0f; }, 20.0f);
  drivingFloods = false;  // room 1 fills on; nothing else floods
  Frame(0.125f);
  EXPECT_FALSE(open->IsOpen());
  EXPECT_TRUE(open->IsLocked());
  EXPECT_TRUE(open->IsSealed());
  EXPECT_TRUE(shut->IsLocked());
  EXPECT_TRUE(shut->IsSealed());
  EXPECT_FALSE(dry->IsSealed());
  EXPECT_TRUE(stray->IsOpen());
  EXPECT_FALSE(stray->IsSealed());

  Play(30.0f);
  EXPECT_TRUE(open->IsLocked());
  EXPECT_TRUE(shut->IsLocked());
  EXPECT_FALSE(dry->IsLocked());

  // Forced open by name, a sealed door shuts again on its next update.
  SendEvent("open door", IdOf(open));
  Frame(0.125f);
  EXPECT_FALSE(open->IsOpen());
  EXPECT_EQ(CountSounds(kSoundCloseSealed), 1u);
}

}  // namespace
