#include "input/Gamepad.h"

#include <algorithm>
#include <cmath>

#include "core/InputMessages.h"

namespace {

constexpr float kStickRange = 32767.0f;
// In the menus: the first repeat after a short wait, then a steady pace.
constexpr float kMenuRepeatDelay = 0.4f;
constexpr float kMenuRepeatInterval = 0.15f;
// SDL takes at most this long per rumble request.
constexpr float kLongestRumble = 10.0f;

const char* ButtonFor(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return "Up";
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return "Down";
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return "Left";
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return "Right";
    case SDL_CONTROLLER_BUTTON_A:
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
      return "Sprint";
    case SDL_CONTROLLER_BUTTON_X:
    case SDL_CONTROLLER_BUTTON_B:
      return "Use";
    case SDL_CONTROLLER_BUTTON_Y:
      return "Drop";
    default:
      return nullptr;
  }
}

}  // namespace

Gamepad::Gamepad(int deviceIndex) : mController(SDL_GameControllerOpen(deviceIndex)) {
  if (mController) mInstance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(mController));
}

Gamepad::~Gamepad() {
  if (mController) SDL_GameControllerClose(mController);
}

SDL_Point Gamepad::Stick(int rawX, int rawY, int deadZone) {
  const float x = static_cast<float>(rawX);
  const float y = -static_cast<float>(rawY);
  const float length = std::sqrt(x * x + y * y);
  if (length <= static_cast<float>(deadZone)) return {0, 0};
  const float reach =
      (std::min(length, kStickRange) - static_cast<float>(deadZone)) / (kStickRange - static_cast<float>(deadZone));
  const float scale = reach * kStickRange / length;
  const auto axis = [scale](float v) {
    return static_cast<int>(std::lround(std::clamp(v * scale, -kStickRange, kStickRange)));
  };
  return {axis(x), axis(y)};
}

void Gamepad::OnButton(const SDL_ControllerButtonEvent& button, std::uint32_t player, Messages& out) {
  const char* name = ButtonFor(button.button);
  if (!name) return;
  if (button.type == SDL_CONTROLLERBUTTONDOWN) {
    mButtons.Down(button.button, name, player, out);
  } else {
    mButtons.Up(button.button, player, out);
  }
}

void Gamepad::Frame(bool inPlay, bool inMenus, float timeStep, std::uint32_t player, Messages& out) {
  mButtons.Hold(player, out);
  if (!mController || (!inPlay && !inMenus)) return;
  ReportStick(SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY, kLeftDeadZone, true, mLeft, inPlay, timeStep,
              player, out);
  ReportStick(SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY, kRightDeadZone, false, mRight, inPlay, timeStep,
              player, out);
}

void Gamepad::ReportStick(SDL_GameControllerAxis xAxis, SDL_GameControllerAxis yAxis, int deadZone, bool left,
                          StickState& state, bool inPlay, float timeStep, std::uint32_t player, Messages& out) {
  const SDL_Point stick =
      Stick(SDL_GameControllerGetAxis(mController, xAxis), SDL_GameControllerGetAxis(mController, yAxis), deadZone);
  const bool off = stick.x != 0 || stick.y != 0;
  bool report = false;
  if (inPlay) {
    report = off || state.off;
  } else if (off) {
    state.repeat -= timeStep;
    report = !state.off || state.repeat <= 0.0f;
    if (report) state.repeat = state.off ? kMenuRepeatInterval : kMenuRepeatDelay;
  }
  state.off = off;
  if (!report) return;
  const auto x = static_cast<std::int16_t>(stick.x);
  const auto y = static_cast<std::int16_t>(stick.y);
  if (left) {
    out.push_back(std::make_shared<LeftStickMessage>(L"Input", x, y, player));
  } else {
    out.push_back(std::make_shared<RightStickMessage>(L"Input", x, y, player));
  }
}

void Gamepad::ReleaseAll(std::uint32_t player, Messages& out) { mButtons.ReleaseAll(player, out); }

bool Gamepad::Fires() const {
  if (!mController) return false;
  return SDL_GameControllerGetAxis(mController, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kTriggerThreshold ||
         SDL_GameControllerGetButton(mController, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) != 0;
}

void Gamepad::Rumble(float seconds, float power) {
  if (!mController || !std::isfinite(seconds) || !std::isfinite(power) || seconds <= 0.0f) return;
  const auto strength = static_cast<Uint16>(std::lround(std::clamp(power, 0.0f, 1.0f) * 65535.0f));
  const auto milliseconds = static_cast<Uint32>(std::lround(std::min(seconds, kLongestRumble) * 1000.0f));
  SDL_GameControllerRumble(mController, strength, strength, milliseconds);
}
