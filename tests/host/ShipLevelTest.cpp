// The sample level as the engine and the host's map read it: rooms in every
// flood ring, the things the host drives, routes through doors, and a save
// that loads back the same level.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "app/Match.h"
#include "components/Renderable.h"
#include "core/GameFlowMessages.h"
#include "game/GameSystem.h"
#include "gameplay/RoomComponent.h"
#include "gameplay/RoomHandler.h"
#include "objects/Object.h"
#include "platform/FileSystem.h"
#include "support/EngineFixture.h"

namespace fs = std::filesystem;

namespace {

class ShipLevelTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    Platform::SetResourceRoot(std::string(TIDEWATER_SOURCE_DIR) + "/Resources");
    Engine::mFactory.LoadLevel(std::string("Ship"));
    Flush();
    // The rooms, rings and map as a match starts with them.
    GameSystem(match).BeginMatch();
  }
  void TearDown() override {
    RoomHandler::ResetRooms();
    Platform::SetResourceRoot("");
    EngineFixture::TearDown();
  }

  static std::string LevelText() {
    std::ostringstream text;
    Engine::mSerializer(text);
    return text.str();
  }

  int Room(const std::string& name) const {
    for (int i = 0; i < static_cast<int>(map.Rooms().size()); ++i) {
      if (map.Rooms()[i].name == name) return i;
    }
    return -1;
  }

  std::shared_ptr<Match> match = std::make_shared<Match>(HostOptions{}, nullptr);
  ShipMap& map = match->Map();
};

TEST_F(ShipLevelTest, EveryRingHasRoomsAndTheLevelHoldsWhatAMatchNeeds) {
  EXPECT_TRUE(Engine::mDeserializer.Report().Empty());
  ASSERT_EQ(map.Rooms().size(), 17u);
  for (std::uint32_t ring = 1; ring <= 4; ++ring) EXPECT_EQ(RoomHandler::GetRing(ring).size(), 4u) << ring;
  EXPECT_EQ(map.RingOf(map.RoomWithID(0)), 0u);
  EXPECT_EQ(map.Doors().size(), 20u);
  EXPECT_GE(map.Pods().size(), 2u);

  bool keyDoor = false;
  for (int door = 0; door < static_cast<int>(map.Doors().size()); ++door) {
    keyDoor = keyDoor || map.DoorNeedsKey(door);
    EXPECT_NE(map.Doors()[door].roomA, map.Doors()[door].roomB);
  }
  EXPECT_TRUE(keyDoor);
  std::map<std::string, int> pickups;
  for (const ShipMap::Pickup& pickup : map.Pickups()) {
    ++pickups[pickup.type];
    EXPECT_GE(pickup.room, 0) << pickup.name;
  }
  EXPECT_GE(pickups["PowerCell"], 2);
  EXPECT_GE(pickups["KeyCard"], 1);

  for (const char* player : {"Player1", "Player2", "Player3", "Player4"}) {
    const auto object = Engine::mFactory.GetObjectByName(player).lock();
    ASSERT_TRUE(object) << player;
    for (const ComponentType part : {CT_Controller, CT_Camera, CT_PlayerStats, CT_Gun, CT_Transform, CT_RigidBody,
                                     CT_Collider, CT_Light, CT_Renderable}) {
      EXPECT_TRUE(object->GetComponent(part).lock()) << player << " lacks component " << part;
    }
  }
  for (const wchar_t* spawned : {L"BulletArc", L"PelletArc", L"FloodCube", L"WarningLight", L"Player_1_Flare",
                                 L"Player_2_Flare", L"Player_3_Flare", L"Player_4_Flare"}) {
    EXPECT_TRUE(Engine::mFactory.GetArchetype(spawned).lock());
  }
  bool plate = false;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    plate = plate || object->GetComponent(CT_PressurePlate).lock();
    // An unlit trigger wears colour 0 and no shader, so nothing drawn may be
    // one; a pod must carry its own interactor, so a hull is drawn for it.
    const auto look = object->GetComponentAs<Renderable>(CT_Renderable);
    if (object->GetComponent(CT_EscapePod).lock()) {
      const auto hull = Engine::mFactory.GetObjectByName(object->GetName() + " Hull").lock();
      ASSERT_TRUE(hull) << object->GetName() << " has no hull";
      const auto hullLook = hull->GetComponentAs<Renderable>(CT_Renderable);
      EXPECT_TRUE(hullLook && hullLook->GetVisibility() && !hull->GetComponent(CT_InteractorComponent).lock());
    } else if (look && object->GetComponent(CT_InteractorComponent).lock()) {
      EXPECT_FALSE(look->GetVisibility()) << object->GetName();
    }
  }
  EXPECT_TRUE(plate);
}

TEST_F(ShipLevelTest, RoutesGoThroughDoorsAndAroundKeyDoorsAndFloods) {
  const int bridge = Room("Bridge");
  const int bow = Room("Bow Store");
  const int engine = Room("Engine Room");
  ASSERT_GE(bridge, 0);
  EXPECT_FALSE(map.Route(bridge, bow, false)) << "the Bow Store lies behind a key-card door";
  const auto withKey = map.Route(bridge, bow, true);
  ASSERT_TRUE(withKey);
  EXPECT_EQ(withKey->size(), 3u);
  const auto toEngine = map.Route(bridge, engine, false);
  ASSERT_TRUE(toEngine);
  EXPECT_EQ(toEngine->size(), 3u);
  EXPECT_EQ(map.RoomAt(map.Rooms()[engine].center), engine);

  // A room under a flood warning is neither a way through nor a destination.
  map.Rooms()[engine].component->SetFillRoomSignal(true);
  EXPECT_EQ(map.StateOf(engine), ShipMap::RoomState::Warning);
  EXPECT_FALSE(map.Route(bridge, engine, true));
  const int galley = Room("Galley");
  map.Rooms()[galley].component->SetFillRoomSignal(true);
  EXPECT_FALSE(map.Route(bridge, Room("East Pod Bay"), false)) << "both its neighbours are about to flood";
  const auto detour = map.Route(bridge, Room("Radio Room"), false);
  ASSERT_TRUE(detour);
  EXPECT_EQ(detour->size(), 2u);
  for (const int door : *detour) {
    EXPECT_NE(map.Doors()[door].roomA, galley);
    EXPECT_NE(map.Doors()[door].roomB, galley);
  }
}

TEST_F(ShipLevelTest, SavingAndLoadingGivesTheSameLevelBack) {
  const std::string before = LevelText();
  ASSERT_GT(before.size(), 1000u);
  const fs::path root = fs::temp_directory_path() / ("tidewater-ship-" + std::to_string(getpid()));
  fs::create_directories(root / "Levels");
  Platform::SetResourceRoot(root.string());
  Engine::mFactory.SaveLevel(std::string("Ship"));
  Engine::mFactory.LoadLevel(std::string("Ship"));
  Flush();
  EXPECT_TRUE(Engine::mDeserializer.Report().Empty());
  EXPECT_EQ(LevelText(), before);
  EXPECT_EQ(Engine::mFactory.GetArchetypes().size(), 27u);
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

}  // namespace
