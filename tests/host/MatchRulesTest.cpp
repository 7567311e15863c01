// The host's match rules on the sample level, driven frame by frame without
// bots: who drowns, who escapes and in which pod, what the log and the
// summary say, and the names the audio gives to the engine's sounds.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "app/Match.h"
#include "audio/AudioSystem.h"
#include "components/Transform.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "core/InputMessages.h"
#include "game/GameSystem.h"
#include "gameplay/PlayerStats.h"
#include "gameplay/RoomHandler.h"
#include "objects/Object.h"
#include "physics/PhysicsSystem.h"
#include "platform/FileSystem.h"
#include "support/EngineFixture.h"
#include "support/ScenarioPhysics.h"

using Vectormath::Aos::Vector3;

namespace {

class MatchRulesTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    Platform::SetResourceRoot(std::string(TIDEWATER_SOURCE_DIR) + "/Resources");
    match = std::make_shared<Match>(HostOptions{}, nullptr);
    game = new GameSystem(match);
    Engine::AddSystem(game);
    Engine::AddSystem(new PhysicsSystem(match));
    Engine::AddSystem(new AudioSystem(match));
    for (System* system : Engine::GetSystems()) system->Initialize();
    Engine::mFactory.LoadLevel(std::string("Ship"));
    game->BeginMatch();
    GameState::SetState(STATE_PLAY);
    Frame(0.0f);
  }
  void TearDown() override {
    RoomHandler::ResetRooms();
    Platform::SetResourceRoot("");
    EngineFixture::TearDown();
  }

  // The flood order is drawn from the calendar second, so the clock moves on with each frame.
  void Frame(float dt) { RunFrame(dt, &mClock); }
  void RunFor(float seconds) {
    for (float t = 0.0f; t < seconds && match->endReason.empty(); t += 0.0125f) Frame(0.0125f);
  }

  static std::shared_ptr<Object> Player(int n) {
    return Engine::mFactory.GetObjectByName("Player" + std::to_string(n)).lock();
  }
  static float HeightOf(ObjectID id) {
    return Engine::mFactory.GetObjectWithID(id).lock()->GetComponentAs<Transform>(CT_Transform)->GetPosition().getY();
  }
  static void Place(int n, const Vector3& where) {
    Engine::ImmediateMessage(std::make_shared<PhysicsMessage>(L"Test", PMT_SET_POSITION, Player(n)->GetID(), where));
  }
  Vector3 RoomCentre(const std::string& name) const {
    for (const ShipMap::Room& room : match->Map().Rooms()) {
      if (room.name == name) return {room.center.getX(), 1.0f, room.center.getZ()};
    }
    return Vector3(0.0f);
  }

  std::shared_ptr<Match> match;
  GameSystem* game = nullptr;
};

TEST_F(MatchRulesTest, PlayersLeftInTheOuterRoomsDrownOneFloodAtATime) {
  const char* outer[] = {"Engine Room", "Bow Store", "Boiler Room", "Stern Hold"};
  for (int n = 1; n <= 4; ++n) Place(n, RoomCentre(outer[n - 1]));
  // The first warning comes after 10 s, the water after 5 more, and it takes
  // about 16.7 s to fill a room.
  RunFor(33.0f);
  int drowned = 0;
  for (const Match::Player& player : match->Players()) {
    if (player.fate != Match::Fate::Drowned) continue;
    ++drowned;
    EXPECT_NE(player.where.find("(ring 4)"), std::string::npos) << player.where;
    EXPECT_GT(player.when, 31.0f);
    EXPECT_TRUE(Player(player.name.back() - '0')->GetComponentAs<PlayerStats>(CT_PlayerStats)->IsDead());
  }
  EXPECT_EQ(drowned, 1);
  EXPECT_EQ(match->counts.roomsFlooded, 1);
  EXPECT_EQ(match->Log().Count("drowns in"), 1u);
  // A new designation every 10 s; a room may be picked again while it fills.
  EXPECT_GE(match->Log().Count("flood warning (ring 4)"), 2u);
  EXPECT_GE(match->Log().Count("sealed by the flood"), 1u);
  EXPECT_EQ(match->Log().Count("room flooded, someone drowned"), 1u);
}

TEST_F(MatchRulesTest, ACellChargesAPodAndTheNextUseLaunchesItsPlayer) {
  const auto player = Player(1);
  const ShipMap::Pod& pod = match->Map().Pods().front();
  player->GetComponentAs<PlayerStats>(CT_PlayerStats)->AddPowerCell();
  // Step in from beside the pod so that the pod's trigger sees the contact begin.
  Place(1, pod.position + Vector3(3.0f, -1.0f, 0.0f));
  Frame(0.0125f);
  Place(1, pod.position + Vector3(1.0f, -1.0f, 0.0f));
  Frame(0.0125f);
  auto use = [&] { player->HandleMessage(std::make_shared<ButtonTriggerMessage>(L"Test", "Use", 0u)); };
  use();
  Frame(0.0125f);
  EXPECT_EQ(player->GetComponentAs<PlayerStats>(CT_PlayerStats)->GetPowerCells(), 0);
  EXPECT_EQ(match->Log().Count("charges " + pod.name), 1u);
  EXPECT_EQ(match->Players()[0].fate, Match::Fate::Playing);
  use();
  Frame(0.0125f);
  ASSERT_EQ(match->Players()[0].fate, Match::Fate::Escaped);
  EXPECT_EQ(match->Players()[0].where, pod.name);
  EXPECT_EQ(match->counts.podsLaunched, 1);
  // The player and the pod's hull ride the pod up and out of the ship, a frame behind it.
  RunFor(3.0f);
  const float podHeight = HeightOf(pod.object);
  EXPECT_GT(podHeight, pod.position.getY() + 2.0f);
  EXPECT_NEAR(HeightOf(player->GetID()), podHeight, 2.0f);
  EXPECT_NEAR(HeightOf(Engine::mFactory.GetObjectByName(pod.name + " Hull").lock()->GetID()), podHeight, 2.0f);

  std::ostringstream summary;
  match->endReason = "test";
  match->PrintSummary(summary);
  EXPECT_NE(summary.str().find("Player1  escaped in " + pod.name), std::string::npos) << summary.str();
  EXPECT_NE(summary.str().find("Escape pods launched: 1."), std::string::npos) << summary.str();
}

TEST_F(MatchRulesTest, TheMatchEndsWithAQuitOnceNobodyIsLeftToPlay) {
  for (Match::Player& player : match->Players()) player.fate = Match::Fate::Escaped;
  Frame(0.0125f);
  EXPECT_EQ(match->endReason, "every player escaped or drowned");
  EXPECT_FALSE(Engine::IsGameActive());
}

// The names of the engine's sounds are seen in the match logs; any other sound
// still shows which one it was.
TEST(AudioNames, SoundsWithoutANameGoByTheirNumber) {
  EXPECT_EQ(AudioSystem::SoundName(0x12345678u), "sound 0x12345678");
}

}  // namespace
