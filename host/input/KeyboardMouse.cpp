#include "input/KeyboardMouse.h"

#include <cmath>

#include "core/InputMessages.h"

namespace {

constexpr float kStickRange = 32767.0f;

const char* ButtonFor(SDL_Scancode key) {
  switch (key) {
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
      return "Sprint";
    case SDL_SCANCODE_F:
      return "Drop";
    case SDL_SCANCODE_E:
      return "Use";
    default:
      return nullptr;
  }
}

// Where a movement key pushes the stick; {0, 0} for any other key.
SDL_Point PushOf(SDL_Scancode key) {
  switch (key) {
    case SDL_SCANCODE_W:
    case SDL_SCANCODE_UP:
      return {0, 1};
    case SDL_SCANCODE_S:
    case SDL_SCANCODE_DOWN:
      return {0, -1};
    case SDL_SCANCODE_A:
    case SDL_SCANCODE_LEFT:
      return {-1, 0};
    case SDL_SCANCODE_D:
    case SDL_SCANCODE_RIGHT:
      return {1, 0};
    default:
      return {0, 0};
  }
}

}  // namespace

void KeyboardMouse::OnEvent(const SDL_Event& event, bool inPlay, std::uint32_t player, Messages& out) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      OnKey(event.key, player, out);
      break;
    case SDL_MOUSEMOTION:
      mLookX += static_cast<float>(event.motion.xrel);
      mLookY += static_cast<float>(event.motion.yrel);
      break;
    case SDL_MOUSEBUTTONDOWN:
      // A click that started the match in the menus does not also fire.
      if (event.button.button == SDL_BUTTON_LEFT) mFiring = inPlay;
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) mFiring = false;
      break;
    default:
      break;
  }
}

void KeyboardMouse::OnKey(const SDL_KeyboardEvent& key, std::uint32_t player, Messages& out) {
  if (key.repeat != 0) return;
  const SDL_Scancode code = key.keysym.scancode;
  const bool down = key.type == SDL_KEYDOWN;
  if (const char* name = ButtonFor(code)) {
    if (down) {
      mButtons.Down(code, name, player, out);
    } else {
      mButtons.Up(code, player, out);
    }
    return;
  }
  const SDL_Point push = PushOf(code);
  if (push.x == 0 && push.y == 0) return;
  if (down) {
    mMoveKeys.insert(code);
  } else {
    mMoveKeys.erase(code);
  }
}

void KeyboardMouse::Frame(bool inPlay, std::uint32_t player, Messages& out) {
  mButtons.Hold(player, out);
  const float lookX = mLookX;
  const float lookY = mLookY;
  mLookX = 0.0f;
  mLookY = 0.0f;
  if (!inPlay) {
    mFiring = false;
    return;
  }

  int x = 0;
  int y = 0;
  for (const SDL_Scancode key : mMoveKeys) {
    const SDL_Point push = PushOf(key);
    x += push.x;
    y += push.y;
  }
  x = x > 0 ? 1 : x < 0 ? -1 : 0;
  y = y > 0 ? 1 : y < 0 ? -1 : 0;
  // Still (after moving): one centred stick, so the Controller's last stick reads zero.
  if (x != 0 || y != 0 || mMoving) {
    const float scale = kStickRange / std::sqrt(static_cast<float>(x * x + y * y > 0 ? x * x + y * y : 1));
    out.push_back(std::make_shared<LeftStickMessage>(L"Input", static_cast<std::int16_t>(std::lround(x * scale)),
                                                     static_cast<std::int16_t>(std::lround(y * scale)), player));
    mMoving = x != 0 || y != 0;
  }
  // The mouse moves down the screen for positive y; the view lifts for positive y.
  if (lookX != 0.0f || lookY != 0.0f) {
    out.push_back(std::make_shared<MouseLookMessage>(L"Input", lookX * kLookPerPixel, -lookY * kLookPerPixel, player));
  }
}

void KeyboardMouse::ReleaseAll(std::uint32_t player, Messages& out) {
  mButtons.ReleaseAll(player, out);
  mMoveKeys.clear();
  mFiring = false;
}
