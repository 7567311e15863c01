#include "core/GameState.h"

STATE& GameState::State() {
  static STATE state = STATE_NONE;
  return state;
}

MENU_STATE& GameState::MenuState() {
  static MENU_STATE state = MENU_NONE;
  return state;
}
