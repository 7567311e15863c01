// Doors as a level uses them: told to open and close by game events, rising
// and sinking through the host's physics, locking after every close, closing
// themselves, and sealing beside a flooding room.
#include <cstdint>
#include <vector>

#include "gameplay/DoorComponent.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelFixture.h"
#include "gameplay/RoomComponent.h"
#include "support/LevelTestComponents.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kSoundCloseSealed = 0x7C8694FC;
constexpr std::uint32_t kSoundUseTrigger = 0xFFBB8AE6;

class DoorTest : public LevelFixture {
 protected:
  static std::shared_ptr<DoorComponent> MakeDoor(const std::string& name, const Vector3& at, std::int32_t left = -1,
                                                 std::int32_t right = -1) {
    const auto door =
        MakeObject(name, {L"Transform", L"DoorComponent"}, at)->GetComponentAs<DoorComponent>(CT_DoorComponent);
    if (left >= 0) MemberOf<std::int32_t>(*door, "m_left_room_id") = left;
    if (right >= 0) MemberOf<std::int32_t>(*door, "m_right_room_id") = right;
    return door;
  }
  static ObjectID IdOf(const std::shared_ptr<DoorComponent>& door) { return door->GetParent().lock()->GetID(); }
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
  Slam(a);
  Slam(b);
  ASSERT_TRUE(a->IsLocked() && b->IsLocked());
  ASSERT_FALSE(a->IsOpen() || b->IsOpen());

  events.clear();
  SendEvent("open door", IdOf(a));
  Frame(0.1f);
  EXPECT_TRUE(a->IsOpen());
  EXPECT_TRUE(a->IsLocked()) << "opening by name leaves the lock alone";
  EXPECT_FALSE(b->IsOpen());
  EXPECT_EQ(EventIDs("door is locked"), std::vector<ObjectID>{IdOf(b)});
  EXPECT_EQ(events.back().sender, L"DoorComponent");

  // Open already, the locked door answers too.
  events.clear();
  SendEvent("open door", IdOf(a));
  Frame(0.1f);
  EXPECT_EQ(EventIDs("door is locked"), (std::vector<ObjectID>{IdOf(a), IdOf(b)}));
}

TEST_F(DoorTest, ASelfClosingDoorShutsAfterTenSecondsSinksBackAndCanBeUsedAgainSevenSecondsLater) {
  MakePlayers();
  const auto door = MakeDoor("Door1", Vector3(0.0f, 2.0f, 0.0f));
  MemberOf<bool>(*door, "m_closes_automatically") = true;
  const auto trigger =
      MakeObject("Trigger1", {L"Renderable", L"Transform", L"Collider", L"InteractorComponent"}, Vector3(0, 0, 3));
  trigger->GetComponentAs<InteractorComponent>(CT_InteractorComponent)->BindInteractor("Door1");
  StepTo(1, Vector3(0.0f, 0.0f, 3.0f));
  Press("Shoot", 0);
  Frame(0.1f);
  ASSERT_TRUE(door->IsOpen());

  const float open = PlayUntil([&] { return !door->IsOpen(); }, 20.0f, 0.1f);
  EXPECT_NEAR(open, 10.0f, 0.15f);
  EXPECT_TRUE(door->IsLocked());
  EXPECT_EQ(EventIDs("close door"), std::vector<ObjectID>{IdOf(door)});

  Play(6.5f, 0.1f);
  EXPECT_EQ(PositionOf(door->GetParent().lock()).getY(), 2.0f) << "back exactly where it started";
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
  const auto open = MakeDoor("OpenDoor", Vector3(100.0f, 0.0f, 0.0f), 1, 0);
  const auto shut = MakeDoor("ShutDoor", Vector3(100.0f, 0.0f, 20.0f), 2, 1);
  const auto dry = MakeDoor("DryDoor", Vector3(0.0f, 0.0f, 15.0f), 0, 2);
  StartFlooding();
  Slam(dry);
  SendEvent("open door", IdOf(open));
  Frame(0.125f);

  PlayUntil([&] { return flooding->GetFillLevel() > 0.0f; }, 20.0f);
  drivingFloods = false;  // room 1 fills on; nothing else floods
  Play(30.0f);
  EXPECT_FALSE(open->IsOpen());
  EXPECT_TRUE(open->IsLocked());
  EXPECT_TRUE(open->IsSealed());
  EXPECT_TRUE(shut->IsLocked());
  EXPECT_TRUE(shut->IsSealed());
  EXPECT_FALSE(dry->IsSealed());
  EXPECT_FALSE(dry->IsLocked());

  // Forced open by name, a sealed door shuts again on its next update.
  SendEvent("open door", IdOf(open));
  Frame(0.125f);
  EXPECT_FALSE(open->IsOpen());
  EXPECT_EQ(CountSounds(kSoundCloseSealed), 1u);
}

}  // namespace
