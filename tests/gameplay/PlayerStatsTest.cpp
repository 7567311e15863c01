// A player's sprint bar, flare and pockets as the controller and the rooms
// see them while the frame loop sends time updates.
#include <memory>

#include "core/GameState.h"
#include "gameplay/LevelFixture.h"

namespace {

constexpr float kFrame = 0.0125f;

class PlayerStatsTest : public LevelFixture {
 protected:
  // A player as a level makes one: the stats are filled, then the object starts.
  std::shared_ptr<PlayerStats> MakePlayer(float speed) {
    player = Engine::mFactory.CreateGenericObject().lock();
    auto stats =
        std::static_pointer_cast<PlayerStats>(Engine::mFactory.GiveObjectComponent(player, L"PlayerStats").lock());
    stats->Set_Speed(speed);
    player->Initialize();
    return stats;
  }

  std::shared_ptr<Object> player;
};

TEST_F(PlayerStatsTest, HeldSprintEmptiesTheBarInAboutSixPointSixSecondsAndItRefillsInTwenty) {
  GameState::SetState(STATE_PLAY);
  auto stats = MakePlayer(4.0f);
  ASSERT_EQ(stats->GetSprintLevel(), 1.0f);

  stats->SetSprinting(true);
  Play(6.5f);
  EXPECT_GT(stats->GetSprintLevel(), 0.001f) << "still enough to keep sprinting";
  Frame(0.125f);
  EXPECT_LT(stats->GetSprintLevel(), 0.001f) << "the controller stops a sprint here";

  // Let go; whatever slowed the player meanwhile wears off as the bar recovers.
  stats->SetSprinting(false);
  stats->Set_Speed(1.5f);
  Frame(kFrame);
  EXPECT_FLOAT_EQ(stats->Get_Speed(), 4.0f);

  Play(19.5f);
  EXPECT_LT(stats->GetSprintLevel(), 1.0f);
  Play(0.6f);
  EXPECT_EQ(stats->GetSprintLevel(), 1.0f) << "a refill never overshoots";
}

TEST_F(PlayerStatsTest, ANewPlayerGetsAFlareOnTheFirstUpdateInPlayAndAThrownOneReturnsAfterFifteenSecondsOfPlay) {
  GameState::SetState(STATE_MENU);
  auto stats = MakePlayer(4.0f);
  Frame(kFrame);
  EXPECT_FALSE(stats->HasFlare()) << "nothing recharges in the menus";
  GameState::SetState(STATE_PLAY);
  Frame(kFrame);
  EXPECT_TRUE(stats->HasFlare());

  // Thrown, as the controller does it, while sprinting: outside play time stands still.
  stats->SetIfPlayerHasFlare(false);
  stats->ResetFlareTimer();
  stats->SetSprinting(true);
  for (STATE paused : {STATE_MENU, STATE_NONE}) {
    SCOPED_TRACE(paused);
    GameState::SetState(paused);
    Frame(30.0f);
    EXPECT_EQ(stats->GetSprintLevel(), 1.0f);
    EXPECT_EQ(stats->GetTimeSinceFlareRecharge(), 0.0f);
    EXPECT_FALSE(stats->HasFlare());
  }

  GameState::SetState(STATE_PLAY);
  for (int i = 0; i < 29; ++i) Frame(0.5f);
  EXPECT_LT(stats->GetSprintLevel(), 1.0f);
  EXPECT_FALSE(stats->HasFlare());
  EXPECT_EQ(stats->GetTimeSinceFlareRecharge(), 14.5f);
  Frame(0.5f);
  EXPECT_FALSE(stats->HasFlare()) << "back only once 15 s are passed, not reached";
  Frame(0.01f);
  EXPECT_TRUE(stats->HasFlare());
}

TEST_F(PlayerStatsTest, AClonedPlayerKeepsItsTuningAndFlareButStartsWithEmptyPocketsAlive) {
  GameState::SetState(STATE_PLAY);
  auto stats = MakePlayer(5.0f);
  Frame(kFrame);
  stats->AddKeyCard();
  stats->AddPowerCell();
  stats->SetDead(true);
  stats->SetSprinting(true);
  Frame(1.0f);

  // A respawn, or a level object made from its archetype.
  const auto clone = player->CloneObject().lock();
  ASSERT_TRUE(clone);
  const auto cloned = clone->GetComponentAs<PlayerStats>(CT_PlayerStats);
  ASSERT_TRUE(cloned);
  EXPECT_EQ(cloned->Get_Speed(), 5.0f);
  EXPECT_TRUE(cloned->HasFlare());
  EXPECT_EQ(cloned->GetKeyCards(), 0);
  EXPECT_EQ(cloned->GetPowerCells(), 0);
  EXPECT_EQ(cloned->GetSprintLevel(), 1.0f);
  EXPECT_FALSE(cloned->IsSprinting());
  EXPECT_FALSE(cloned->IsDead());
}

}  // namespace
