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

TEST_F(PlayersTest, APlayerIsFoundByItsNameInAnyLetterCase) {
  const auto three = Named("Player3");
  for (const char* asked : {"Player3", "pLaYeR3", "PLAYER3", "player3"}) {
    EXPECT_EQ(Players::GetPlayer(asked).lock(), three) << asked;
  }
  EXPECT_TRUE(Players::GetPlayer("Player2").expired()) << "nobody is player 2";
}

TEST_F(PlayersTest, OnlyTheFourPlayerNamesAreEverPlayers) {
  Named("Player5");
  Named("Player");
  Named("PLAYER2");
  Named("Player1 ");
  for (const char* asked : {"Player5", "Player", "", "Player0", "Player12", "Player1 "}) {
    EXPECT_TRUE(Players::GetPlayer(asked).expired()) << '"' << asked << '"';
  }
  // The object must be named exactly "Player2": "PLAYER2" is some other thing.
  EXPECT_TRUE(Players::GetPlayer("player2").expired());
}

TEST_F(PlayersTest, ADestroyedPlayerIsNoLongerFound) {
  const auto one = Named("Player1");
  ASSERT_EQ(Players::GetPlayer("Player1").lock(), one);

  Engine::mFactory.Destroy(one->GetID());
  EXPECT_TRUE(Players::GetPlayer("Player1").expired());
  Flush();
  EXPECT_TRUE(Players::GetPlayer("player1").expired());

  // A new player 1 (a respawn) is found again.
  const auto respawned = Named("Player1");
  EXPECT_EQ(Players::GetPlayer("PLAYER1").lock(), respawned);
}

TEST_F(PlayersTest, WithTwoObjectsOfOneNameTheOlderIsThePlayer) {
  const auto first = Named("Player4");
  const auto second = Named("Player4");
  ASSERT_LT(first->GetID(), second->GetID());
  EXPECT_EQ(Players::GetPlayer("player4").lock(), first);

  Engine::mFactory.Destroy(first->GetID());
  EXPECT_EQ(Players::GetPlayer("player4").lock(), second);
}

}  // namespace
