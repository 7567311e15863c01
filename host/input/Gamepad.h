#pragma once
#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <SDL_rect.h>

#include <cstdint>

#include "input/ButtonStates.h"

// One SDL game controller as a player's gamepad. The sticks go out as signed
// 16-bit stick messages with a round dead zone taken off (the y axes turned so
// that up is positive); the d-pad is "Up", "Down", "Left", "Right"; A, the
// left shoulder and a click of the left stick are "Sprint" (and the menus'
// click); X and B are "Use"; Y is "Drop"; the right trigger or the right
// shoulder fires.
//
// In play a stick off centre reports every frame and once more when it comes
// back; in the menus it reports when it leaves the centre and then repeats
// slowly while held, since each report moves the menu selection one step.
class Gamepad {
 public:
  using Messages = ButtonStates::Messages;

  static constexpr int kLeftDeadZone = 7849;
  static constexpr int kRightDeadZone = 8689;
  // How far the trigger must be pulled to fire.
  static constexpr int kTriggerThreshold = 10000;

  // Opens the controller at an SDL device index; IsOpen() says whether that worked.
  explicit Gamepad(int deviceIndex);
  ~Gamepad();
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  [[nodiscard]] bool IsOpen() const { return mController != nullptr; }
  [[nodiscard]] SDL_JoystickID InstanceID() const { return mInstance; }

  void OnButton(const SDL_ControllerButtonEvent& button, std::uint32_t player, Messages& out);
  // Once a frame, after the events.
  void Frame(bool inPlay, bool inMenus, float timeStep, std::uint32_t player, Messages& out);
  void ReleaseAll(std::uint32_t player, Messages& out);

  [[nodiscard]] bool Fires() const;
  // Shakes both motors; out-of-range requests are clamped.
  void Rumble(float seconds, float power);

  // A stick position with a round dead zone taken off and the rest stretched
  // back to the full range; y is turned so that pushing up is positive.
  [[nodiscard]] static SDL_Point Stick(int rawX, int rawY, int deadZone);

 private:
  struct StickState {
    bool off = false;
    float repeat = 0.0f;
  };

  void ReportStick(SDL_GameControllerAxis xAxis, SDL_GameControllerAxis yAxis, int deadZone, bool left,
                   StickState& state, bool inPlay, float timeStep, std::uint32_t player, Messages& out);

  SDL_GameController* mController = nullptr;
  SDL_JoystickID mInstance = -1;
  ButtonStates mButtons;
  StickState mLeft;
  StickState mRight;
};
