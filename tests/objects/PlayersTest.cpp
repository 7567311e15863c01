// Finding the players by name, as doors, rooms and pickups do.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "objects/Object.h"
#include "objects/Players.h"
#include "support/EngineFixture.h"

namespace {

class PlayersTest : public EngineFixture {
 protected:
  static std::shared_ptr<Object> Named(const std::string& name) {
    auto object = Engine::mFactory.CreateGenericObject().lock();
    object->SetName(name);
    return object;
  }
};

TEST_F(PlayersTest, OnlyAnObjectNamedExactlyPlayer1To4IsFoundAskedInAnyLetterCase) {
  const auto three = Named("Player3");
  Named("Player5");
  Named("Player");
  Named("PLAYER2");
  for (const char* asked : {"Player3", "pLaYeR3", "player3"}) {
    EXPECT_EQ(Players::GetPlayer(asked).lock(), three) << asked;
  }
  // "PLAYER2" is some other thing: the object's own name must match exactly.
  for (const char* asked : {"Player5", "Player", "", "player2"}) {
    EXPECT_TRUE(Players::GetPlayer(asked).expired()) << '"' << asked << '"';
  }
}

TEST_F(PlayersTest, ADestroyedPlayerIsNoLongerFoundAndOfTwoTheOlderIsThePlayer) {
  const auto one = Named("Player1");
  Engine::mFactory.Destroy(one->GetID());
  EXPECT_TRUE(Players::GetPlayer("Player1").expired());

  const auto first = Named("Player1");
  const auto second = Named("Player1");
  ASSERT_LT(first->GetID(), second->GetID());
  EXPECT_EQ(Players::GetPlayer("PLAYER1").lock(), first);
  Engine::mFactory.Destroy(first->GetID());
  EXPECT_EQ(Players::GetPlayer("player1").lock(), second);
}

}  // namespace
