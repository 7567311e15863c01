// A host that includes only the umbrella header can start the engine, build
// a player from the factory table and run frames.
#include "tidewater.h"

#include <gtest/gtest.h>

#include "support/EngineFixture.h"

namespace {

class UmbrellaHeaderTest : public EngineFixture {};

TEST_F(UmbrellaHeaderTest, AHostBuiltOnTheUmbrellaHeaderRunsAFrame) {
  auto player = Engine::mFactory.CreateGenericObject().lock();
  for (const wchar_t* name : {L"Transform", L"Camera", L"Controller", L"PlayerStats", L"Gun"}) {
    ASSERT_FALSE(Engine::mFactory.GiveObjectComponent(player, name).expired());
  }
  player->SetName("Player1");
  player->Initialize();
  EXPECT_EQ(Players::GetPlayer("PLAYER1").lock(), player);

  Engine::RegisterListener(MT_TIME_UPDATE, Callable(1, [](const std::shared_ptr<Message>&) {
                             Engine::RelayMessage(std::make_shared<Message>(L"Host", MT_QUIT));
                           }));
  Engine::GameLoop();
  EXPECT_FALSE(Engine::IsGameActive());
}

}  // namespace
