// Levels that flood as the host drives them: rooms sorted into rings by their
// distance from the centre, a warning, rising water, and the players caught
// inside; then the whole level, ring by ring, from one calendar second.
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "components/Transform.h"
#include "core/GameState.h"
#include "gameplay/LevelFixture.h"
#include "gameplay/RoomComponent.h"
#include "gameplay/RoomHandler.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kSoundWarningWithPlayerInside = 0x951B68E4;
constexpr std::uint32_t kSoundWaterRising = 0x6F4DE0E1;
constexpr std::uint32_t kSoundSomeoneDrowned = 0x880BB817;
constexpr std::uint32_t kSoundNobodyDrowned = 0xAD2C1CB0;

using Ring = std::vector<std::uint32_t>;

// A point whose squared distance from `centre`, worked out in single
// precision as the engine does, is exactly `target`.
Vector3 AtSquaredDistance(const Vector3& centre, float target) {
  const float base = std::sqrt(target);
  float x = base;
  for (int i = 0; i < 300; ++i) x = std::nextafter(x, 0.0f);
  for (int i = 0; i < 600; ++i, x = std::nextafter(x, 2.0f * base)) {
    for (float z = 0.0f; z < 0.5f; z += 0.001f) {
      const Vector3 p(centre.getX() + x, centre.getY(), centre.getZ() + z);
      if (lengthSqr(p - centre) == target) return p;
    }
  }
  ADD_FAILURE() << "no point found at squared distance " << target;
  return centre;
}

std::shared_ptr<RoomComponent> RoomOf(const std::shared_ptr<Object>& room) {
  return room->GetComponentAs<RoomComponent>(CT_RoomComponent);
}

class FloodingTest : public LevelFixture {};

TEST_F(FloodingTest, RoomsJoinTheRingOfTheirSquaredDistanceAndTheGapsBetweenBandsStayOut) {
  const Vector3 c(100.0f, 0.0f, 50.0f);
  MakeRoom(0, c);
  MakeRoom(1, c + Vector3(10.0f, 0.0f, 0.0f));
  const auto gap = MakeRoom(2, AtSquaredDistance(c, 4500.05f));
  MakeRoom(3, c + Vector3(0.0f, 0.0f, 77.0f));
  const auto edge = MakeRoom(4, AtSquaredDistance(c, 12500.1f));
  MakeRoom(5, c + Vector3(-150.0f, 0.0f, 0.0f));
  MakeRoom(6, AtSquaredDistance(c, 4500.0f));
  StartFlooding();
  RoomHandler::AssignRingToRooms();  // a second pass adds nothing twice

  const std::vector<Ring> rings{RoomHandler::GetRing(1), RoomHandler::GetRing(2), RoomHandler::GetRing(3),
                                RoomHandler::GetRing(4)};
  EXPECT_EQ(rings, (std::vector<Ring>{{1, 6}, {3}, {4}, {5}}));
  EXPECT_EQ(RoomOf(edge)->GetRoomRing(), 3u);
  EXPECT_EQ(RoomOf(gap)->GetRoomRing(), 0u) << "never chosen to flood";
}

TEST_F(FloodingTest, AFullRoomDrownsThePlayersInsideAndAnnouncesAGodModePlayerWithoutKillingThem) {
  MakePlayers();
  MakeRoom(0, Vector3(0.0f));
  const auto flooding = RoomOf(MakeRoom(1, Vector3(150.0f, 0.0f, 0.0f)));
  Teleport(Player(1), Vector3(150.0f, 0.0f, 0.0f));
  Teleport(Player(2), Vector3(152.0f, 0.0f, 1.0f));
  Stats(2)->SetGodMode(true);
  StartFlooding();

  EXPECT_FLOAT_EQ(PlayUntil([&] { return flooding->IsFillSignalled(); }, 20.0f), 10.0f);
  const auto cube = Engine::mFactory.GetObjectWithID(flooding->GetFloodID()).lock();
  ASSERT_TRUE(cube);
  EXPECT_EQ(PositionOf(cube).getY(), -8.0f);

  // The warning: a light in the room for about 5 s; a warning doesn't count as flooding.
  Frame(0.125f);
  const auto light = Engine::mFactory.GetObjectWithID(flooding->GetWarningLightID()).lock();
  ASSERT_TRUE(light);
  EXPECT_EQ(PositionOf(light).getX(), 150.0f);
  EXPECT_EQ(CountSounds(kSoundWarningWithPlayerInside), 1u);
  EXPECT_FALSE(RoomHandler::IsARoomFlooding());
  EXPECT_NEAR(PlayUntil([&] { return flooding->IsRoomFilling(); }, 10.0f), 5.0f, 0.3f);
  EXPECT_EQ(CountSounds(kSoundWaterRising), 1u);
  EXPECT_TRUE(RoomHandler::IsARoomFlooding());
  EXPECT_TRUE(RoomHandler::IsARingFlooding("Ring4", 0));

  // The water rises 8 units in about 16.7 s, then the room is done.
  EXPECT_TRUE(EventIDs("player died").empty());
  const float filling = PlayUntil([&] { return !flooding->IsRoomFilling(); }, 30.0f);
  EXPECT_GT(filling, 16.6f);
  EXPECT_LT(filling, 17.1f);
  EXPECT_GE(flooding->GetFillLevel(), 1.0f);
  // Designated again while still in its ring, the room got a new cube each
  // time; the newest one has risen to the room.
  const auto water = Engine::mFactory.GetObjectWithID(flooding->GetFloodID()).lock();
  ASSERT_TRUE(water);
  EXPECT_NE(water, cube);
  EXPECT_NEAR(PositionOf(water).getY(), 0.0f, 0.05f);
  EXPECT_TRUE(RoomHandler::GetRing(4).empty());
  EXPECT_TRUE(Engine::mFactory.GetObjectWithID(light->GetID()).expired());

  EXPECT_EQ(EventIDs("player died"), (std::vector<ObjectID>{Player(1)->GetID(), Player(2)->GetID()}));
  EXPECT_TRUE(Stats(1)->IsDead());
  EXPECT_FALSE(Stats(2)->IsDead());
  EXPECT_FALSE(Stats(3)->IsDead());
  EXPECT_EQ(CountSounds(kSoundSomeoneDrowned), 1u);
  EXPECT_EQ(CountSounds(kSoundNobodyDrowned), 0u);

  // A full room stays full: being chosen again while it filled starts nothing new.
  Play(5.0f);
  EXPECT_EQ(EventIDs("player died").size(), 2u);
  EXPECT_EQ(CountSounds(kSoundWaterRising), 1u);
  EXPECT_EQ(CountSounds(kSoundSomeoneDrowned), 1u);
}

TEST_F(FloodingTest, OnlyPlayersStillInsideWhenTheRoomIsFullAreCaughtAndTheMenusStopTheWater) {
  MakePlayers();
  MakeRoom(0, Vector3(0.0f));
  const auto flooding = RoomOf(MakeRoom(1, Vector3(0.0f, 0.0f, -150.0f)));
  Stats(4)->SetGodMode(true);
  StartFlooding();
  PlayUntil([&] { return flooding->IsFillSignalled(); }, 20.0f);
  Play(0.5f);

  // Nobody was inside when the warning began: no warning sound.
  Teleport(Player(1), Vector3(0.0f, 0.0f, -150.0f));
  Teleport(Player(4), Vector3(1.0f, 0.0f, -151.0f));
  PlayUntil([&] { return flooding->IsRoomFilling(); }, 10.0f);
  EXPECT_EQ(CountSounds(kSoundWarningWithPlayerInside), 0u);
  Teleport(Player(1), Vector3(0.0f, 0.0f, -130.0f));  // out in time

  GameState::SetState(STATE_MENU);
  const float level = flooding->GetFillLevel();
  Play(5.0f);
  EXPECT_EQ(flooding->GetFillLevel(), level);
  GameState::SetState(STATE_PLAY);

  PlayUntil([&] { return !flooding->IsRoomFilling(); }, 30.0f);
  EXPECT_EQ(EventIDs("player died"), std::vector<ObjectID>{Player(4)->GetID()});
  EXPECT_FALSE(Stats(1)->IsDead());
  EXPECT_FALSE(Stats(4)->IsDead());
  EXPECT_EQ(CountSounds(kSoundNobodyDrowned), 1u);
  EXPECT_EQ(CountSounds(kSoundSomeoneDrowned), 0u);
}

// The room the engine must draw from `ring` at calendar second `seconds`.
std::uint32_t ExpectedPick(const Ring& ring, std::int64_t seconds) {
  std::mt19937 generator(static_cast<std::mt19937::result_type>(seconds));
  std::uniform_int_distribution<std::uint32_t> pick(0, static_cast<std::uint32_t>(ring.size() - 1));
  return ring[pick(generator)];
}

TEST_F(FloodingTest, TheLevelFloodsFromTheOutsideInAsTheCalendarSecondPicksUntilOnlyTheCentreIsDry) {
  std::vector<std::shared_ptr<Object>> rooms{MakeRoom(0, Vector3(0.0f))};
  // Two rooms in each inner ring and three in the outer one, spread round the centre.
  const float radii[] = {20.0f, 20.0f, 80.0f, 80.0f, 100.0f, 100.0f, 200.0f, 200.0f, 200.0f};
  for (std::uint32_t id = 1; id <= 9; ++id) {
    const float angle = static_cast<float>(id) * 0.7f;
    rooms.push_back(
        MakeRoom(id, Vector3(radii[id - 1] * std::cos(angle), 0.0f, radii[id - 1] * std::sin(angle)), Vector3(2.0f)));
  }
  StartFlooding();
  ASSERT_EQ(RoomHandler::GetRing(4).size(), 3u);

  struct Flood {
    std::uint32_t ring;
    std::uint32_t room;
    float gap;
  };
  std::vector<Flood> floods;
  float sinceLast = 0.0f;
  for (int frame = 0; frame < 8000; ++frame) {
    std::uint32_t ring = 4;
    while (ring > 0 && RoomHandler::GetRing(ring).empty()) --ring;
    if (ring == 0) break;
    const std::uint32_t expected = ExpectedPick(RoomHandler::GetRing(ring), mClock.CalendarSeconds());
    std::vector<ObjectID> cubes;
    for (const auto& room : rooms) cubes.push_back(RoomOf(room)->GetFloodID());
    Frame(0.125f);
    sinceLast += 0.125f;
    std::vector<std::uint32_t> flooded;
    for (std::uint32_t id = 0; id < rooms.size(); ++id) {
      if (RoomOf(rooms[id])->GetFloodID() != cubes[id]) flooded.push_back(id);
    }
    if (flooded.empty()) continue;
    ASSERT_EQ(flooded, std::vector<std::uint32_t>{expected}) << "at frame " << frame;
    floods.push_back(Flood{ring, expected, sinceLast});
    sinceLast = 0.0f;
  }

  ASSERT_FALSE(floods.empty());
  const float interval[] = {0.0f, 1.0f, 4.0f, 7.0f, 10.0f};
  EXPECT_EQ(floods.front().ring, 4u);
  EXPECT_EQ(floods.front().gap, 10.0f);
  for (std::size_t i = 1; i < floods.size(); ++i) {
    SCOPED_TRACE("flood " + std::to_string(i));
    EXPECT_LE(floods[i].ring, floods[i - 1].ring) << "flooding went outwards";
    // A ring's interval takes over once its first room has been chosen.
    EXPECT_EQ(floods[i].gap, interval[floods[i - 1].ring]);
  }
  // A room stays in its ring until it is full, so it is chosen again (and
  // given another cube) until then.
  EXPECT_EQ(floods[1].room, floods[0].room);
  EXPECT_GT(floods.size(), 9u);

  for (std::uint32_t id = 1; id <= 9; ++id) {
    EXPECT_GE(RoomOf(rooms[id])->GetFillLevel(), 1.0f) << "room " << id;
    EXPECT_FALSE(RoomOf(rooms[id])->IsRoomFilling()) << "room " << id;
  }
  EXPECT_EQ(RoomOf(rooms[0])->GetFillLevel(), 0.0f);
  EXPECT_FALSE(RoomHandler::IsARoomFlooding());
  EXPECT_EQ(RoomHandler::DesignateRoomForFlooding(), RoomHandler::kNoRoom);
}

}  // namespace
