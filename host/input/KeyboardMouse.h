#pragma once
#include <SDL_events.h>
#include <SDL_rect.h>

#include <cstdint>
#include <set>

#include "input/ButtonStates.h"

// The keyboard and mouse as one player's gamepad: WASD or the arrows move as
// the left stick would (a diagonal as far as a straight push), the mouse
// looks, Shift sprints, F drops a flare, E uses, and the left button fires.
// Movement and looking are made only in play; the menus are left to the
// mouse itself.
class KeyboardMouse {
 public:
  using Messages = ButtonStates::Messages;

  // Mouse-look units per pixel of mouse travel: a full stick push for a frame
  // is worth about 25 pixels.
  static constexpr float kLookPerPixel = 0.04f;

  void OnEvent(const SDL_Event& event, bool inPlay, std::uint32_t player, Messages& out);
  // Once a frame, after the events: held buttons, the stick, the look.
  void Frame(bool inPlay, std::uint32_t player, Messages& out);
  // Lets go of every key and button (the window lost focus).
  void ReleaseAll(std::uint32_t player, Messages& out);

  // The left button went down in play and is still held.
  [[nodiscard]] bool Fires() const { return mFiring; }

 private:
  void OnKey(const SDL_KeyboardEvent& key, std::uint32_t player, Messages& out);

  ButtonStates mButtons;
  std::set<SDL_Scancode> mMoveKeys;
  bool mMoving = false;
  bool mFiring = false;
  float mLookX = 0.0f;
  float mLookY = 0.0f;
};
