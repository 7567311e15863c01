// A player's sprint bar, flare and pockets as the controller and the rooms
// see them while the frame loop sends time updates.
#include <gtest/gtest.h>

#include <memory>

#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "gameplay/PlayerStats.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"

namespace {

constexpr float kFrame = 0.0125f;

class PlayerStatsTest : public EngineFixture {
 protected:
  // A player as a level makes one: the stats are filled, then the object starts.
  std::shared_ptr<PlayerStats> MakePlayer(float speed) {
    player = Engine::mFactory.CreateGenericObject().lock();
    player->SetName("Player1");
    auto stats =
        std::static_pointer_cast<PlayerStats>(Engine::mFactory.GiveObjectComponent(player, L"PlayerStats").lock());
    stats->Set_Speed(speed);
    player->Initialize();
    return stats;
  }

  // One frame's time update, delivered as the frame loop does.
  static void Tick(float dt) {
    Engine::RelayMessage(std::make_shared<TimeUpdateMessage>(L"Core\\Engine", dt));
    Engine::BroadcastMessages();
  }

  static void Run(float seconds) {
    const int frames = static_cast<int>(seconds / kFrame + 0.5f);
    for (int i = 0; i < frames; ++i) Tick(kFrame);
  }

  std::shared_ptr<Object> player;
};

TEST_F(PlayerStatsTest, HeldSprintEmptiesTheBarInAboutSixPointSixSecondsAndItRefillsInTwenty) {
  GameState::SetState(STATE_PLAY);
  auto stats = MakePlayer(4.0f);
  ASSERT_EQ(stats->GetSprintLevel(), 1.0f);

  stats->SetSprinting(true);
  Run(6.5f);
  EXPECT_GT(stats->GetSprintLevel(), 0.001f) << "still enough to keep sprinting";
  Run(0.125f);
  EXPECT_LT(stats->GetSprintLevel(), 0.001f) << "the controller stops a sprint here";

  // Let go; whatever slowed the player meanwhile wears off as the bar recovers.
  stats->SetSprinting(false);
  stats->Set_Speed(1.5f);
  Tick(kFrame);
  EXPECT_FLOAT_EQ(stats->Get_Speed(), 4.0f);

  Run(19.5f);
  EXPECT_LT(stats->GetSprintLevel(), 1.0f);
  Run(0.6f);
  EXPECT_EQ(stats->GetSprintLevel(), 1.0f);

  // A full bar leaves the speed to whoever sets it.
  stats->Set_Speed(6.0f);
  Run(1.0f);
  EXPECT_EQ(stats->Get_Speed(), 6.0f);
  EXPECT_EQ(stats->GetSprintLevel(), 1.0f);
}

TEST_F(PlayerStatsTest, AnOverdrawnBarRecoversFromBelowZeroAndTopsOutAtExactlyOne) {
  GameState::SetState(STATE_PLAY);
  auto stats = MakePlayer(4.0f);

  // A long frame while sprinting draws the bar below empty.
  stats->SetSprinting(true);
  Tick(1.0f);
  Tick(6.0f);
  EXPECT_NEAR(stats->GetSprintLevel(), 1.0f - 7.0f * 0.151f, 1e-5f);

  stats->SetSprinting(false);
  Tick(1.0f);
  EXPECT_NEAR(stats->GetSprintLevel(), 1.0f - 7.0f * 0.151f + 0.05f, 1e-5f);

  Tick(20.0f);
  ASSERT_LT(stats->GetSprintLevel(), 1.0f);
  Tick(1.0f);
  EXPECT_EQ(stats->GetSprintLevel(), 1.0f) << "a refill never overshoots";
}

TEST_F(PlayerStatsTest, ANewPlayerGetsAFlareOnTheFirstUpdateInPlayAndAThrownOneReturnsAfterFifteenSeconds) {
  GameState::SetState(STATE_MENU);
  auto stats = MakePlayer(4.0f);
  Tick(kFrame);
  EXPECT_FALSE(stats->HasFlare()) << "nothing recharges in the menus";

  GameState::SetState(STATE_PLAY);
  Tick(kFrame);
  EXPECT_TRUE(stats->HasFlare());

  // Thrown, as the controller does it.
  stats->SetIfPlayerHasFlare(false);
  stats->ResetFlareTimer();
  for (int i = 0; i < 29; ++i) Tick(0.5f);
  EXPECT_FALSE(stats->HasFlare());
  EXPECT_EQ(stats->GetTimeSinceFlareRecharge(), 14.5f);
  Tick(0.5f);
  EXPECT_FALSE(stats->HasFlare()) << "back only once 15 s are passed, not reached";
  Tick(0.01f);
  EXPECT_TRUE(stats->HasFlare());

  // Holding a flare, the timer rests.
  const float rested = stats->GetTimeSinceFlareRecharge();
  Tick(5.0f);
  EXPECT_EQ(stats->GetTimeSinceFlareRecharge(), rested);
}

TEST_F(PlayerStatsTest, TimeStandsStillOutsidePlay) {
  GameState::SetState(STATE_PLAY);
  auto stats = MakePlayer(4.0f);
  Tick(kFrame);
  stats->SetIfPlayerHasFlare(false);
  stats->ResetFlareTimer();
  stats->SetSprinting(true);

  for (STATE paused : {STATE_MENU, STATE_NONE}) {
    GameState::SetState(paused);
    Tick(30.0f);
    EXPECT_EQ(stats->GetSprintLevel(), 1.0f);
    EXPECT_EQ(stats->GetTimeSinceFlareRecharge(), 0.0f);
    EXPECT_FALSE(stats->HasFlare());
  }

  GameState::SetState(STATE_PLAY);
  Tick(1.0f);
  EXPECT_LT(stats->GetSprintLevel(), 1.0f);
  EXPECT_EQ(stats->GetTimeSinceFlareRecharge(), 1.0f);
}

TEST_F(PlayerStatsTest, StartingAPlayerEmptiesItsPocketsAndRevivesIt) {
  GameState::SetState(STATE_PLAY);
  auto stats = MakePlayer(5.0f);
  stats->Set_Damp(0.25f);
  Tick(kFrame);
  stats->AddKeyCard();
  stats->AddKeyCard();
  stats->AddPowerCell();
  stats->SetDead(true);
  stats->SetGodMode(true);
  stats->SetSprinting(true);
  Tick(1.0f);

  // A clone (a respawn, a level object made from its archetype) keeps what
  // its file gave it and its flare, and starts afresh otherwise.
  auto clone = player->CloneObject().lock();
  ASSERT_TRUE(clone);
  auto cloned = clone->GetComponentAs<PlayerStats>(CT_PlayerStats);
  ASSERT_TRUE(cloned);
  EXPECT_EQ(cloned->Get_Speed(), 5.0f);
  EXPECT_EQ(cloned->Get_Damp(), 0.25f);
  EXPECT_TRUE(cloned->HasFlare());
  EXPECT_EQ(cloned->GetKeyCards(), 0);
  EXPECT_EQ(cloned->GetPowerCells(), 0);
  EXPECT_EQ(cloned->GetSprintLevel(), 1.0f);
  EXPECT_FALSE(cloned->IsSprinting());
  EXPECT_FALSE(cloned->IsDead());
  EXPECT_FALSE(cloned->IsGodMode());

  // Each player runs on its own bar.
  const float before = stats->GetSprintLevel();
  Tick(1.0f);
  EXPECT_LT(stats->GetSprintLevel(), before);
  EXPECT_EQ(cloned->GetSprintLevel(), 1.0f);

  // Pockets have no floor: a door may take a card the player does not have.
  cloned->SubtractKeyCard();
  EXPECT_EQ(cloned->GetKeyCards(), -1);
}

TEST_F(PlayerStatsTest, OtherMessagesHandedToThePlayerChangeNothing) {
  GameState::SetState(STATE_PLAY);
  auto stats = MakePlayer(4.0f);
  stats->SetSprinting(true);
  player->HandleMessage(std::make_shared<GameEventMessage>(L"Test", "open door", player->GetID()));
  player->HandleMessage(std::make_shared<Message>(L"Test", MT_QUIT));
  EXPECT_EQ(stats->GetSprintLevel(), 1.0f);
  EXPECT_FALSE(stats->HasFlare());
}

}  // namespace
