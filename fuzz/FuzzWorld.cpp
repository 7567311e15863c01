#include "FuzzWorld.h"

#include <array>
#include <thread>

#include "core/Engine.h"
#include "core/GameState.h"
#include "gameplay/RoomHandler.h"
#include "objects/ComponentFactory.h"
#include "objects/ObjectFactory.h"
#include "objects/Players.h"

namespace {

// The registry right after start-up: component factories, nothing else, and
// object ids counting from the start.
ObjectFactory& Pristine() {
  static ObjectFactory factory;
  return factory;
}

}  // namespace

void FuzzWorld::Start() {
  // libstdc++ counts shared_ptr references another way once a second thread
  // has existed, and libFuzzer starts its own threads when it likes: become
  // multi-threaded now, so that this does not change between inputs.
  std::thread([] {}).join();
  Engine::Initialize();
  Pristine() = Engine::mFactory;
}

void FuzzWorld::Reset() {
  Engine::mFactory.DestroyAllObjects();
  Engine::mFactory.DestroyAllArchetypes();
  // The second broadcast delivers what the first one's listeners relayed.
  Engine::BroadcastMessages();
  Engine::BroadcastMessages();
  Engine::ClearListeners();
  Engine::mDeserializer.Report().Clear();
  Engine::mFactory = Pristine();
  ComponentFactory::mID = 0;
  RoomHandler::ResetRooms();
  GameState::SetState(STATE_NONE);
  GameState::SetMenuState(MENU_NONE);
  // Each lookup drops the object the previous one kept alive.
  for (const char* player : std::array{"Player1", "Player2", "Player3", "Player4"}) (void)Players::GetPlayer(player);
}
