#pragma once
#include <cstdint>

#include "platform/Export.h"

// The library reads 3 (in play) and 4 (in the menus); the host sets them.
enum STATE : std::int32_t {
  STATE_NONE = 0,
  STATE_PLAY = 3,
  STATE_MENU = 4,
};

// Which menu screen is up; the Controller has a cursor layout for 2 to 7.
enum MENU_STATE : std::int32_t {
  MENU_NONE = 0,
};

// Game and menu state: written by the host, read by the gameplay components.
class TW_API GameState {
 public:
  GameState() = delete;
  [[nodiscard]] static const STATE& GetState() { return State(); }
  [[nodiscard]] static const MENU_STATE& GetMenuState() { return MenuState(); }
  static void SetState(STATE state) { State() = state; }
  static void SetMenuState(MENU_STATE state) { MenuState() = state; }

 private:
  static STATE& State();
  static MENU_STATE& MenuState();
};
