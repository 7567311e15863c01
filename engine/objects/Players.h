#pragma once
#include <memory>
#include <string>

#include "platform/Export.h"

class Object;

// Finds the player objects: the objects named "Player1" to "Player4".
class TW_API Players {
 public:
  Players() = delete;

  // The player named `name` in any letter case ("player2", "PLAYER2"), found
  // as the live object named exactly "Player2"; empty for any other name or
  // when no such object exists. With two objects of that name, the lower id.
  [[nodiscard]] static std::weak_ptr<Object> GetPlayer(std::string name);

 private:
  // Each looks its player up again on every call and keeps what it found
  // alive until the next call.
  static std::shared_ptr<Object>& Player1();
  static std::shared_ptr<Object>& Player2();
  static std::shared_ptr<Object>& Player3();
  static std::shared_ptr<Object>& Player4();
};
