#include "objects/Players.h"

#include <cctype>

#include "core/Engine.h"
#include "objects/Object.h"

namespace {
std::shared_ptr<Object>& Refresh(std::shared_ptr<Object>& slot, const char* exactName) {
  slot = Engine::mFactory.GetObjectByName(exactName).lock();
  return slot;
}
}  // namespace

std::shared_ptr<Object>& Players::Player1() {
  static std::shared_ptr<Object> player;
  return Refresh(player, "Player1");
}

std::shared_ptr<Object>& Players::Player2() {
  static std::shared_ptr<Object> player;
  return Refresh(player, "Player2");
}

std::shared_ptr<Object>& Players::Player3() {
  static std::shared_ptr<Object> player;
  return Refresh(player, "Player3");
}

std::shared_ptr<Object>& Players::Player4() {
  static std::shared_ptr<Object> player;
  return Refresh(player, "Player4");
}

std::weak_ptr<Object> Players::GetPlayer(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "PLAYER1") return Player1();
  if (name == "PLAYER2") return Player2();
  if (name == "PLAYER3") return Player3();
  if (name == "PLAYER4") return Player4();
  return {};
}
