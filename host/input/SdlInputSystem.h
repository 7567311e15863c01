#pragma once
#include <SDL_events.h>
#include <SDL_video.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "input/Gamepad.h"
#include "input/InputSystem.h"
#include "input/KeyboardMouse.h"
#include "input/SdlPlatformWindow.h"

// The "Input" system in a window: it pumps every SDL event, and people play
// the seats they hold while bots play the rest.
//
// Seats: the keyboard and mouse take the first seat, and each gamepad the next
// free one as it is plugged in; a gamepad that finds no free seat shares the
// first seat if no other gamepad does. With kAutoHumans every seat nobody
// holds is a bot's, and a seat goes back to its bot when its gamepad is
// unplugged; with a number of humans the first that many seats are people's
// (waiting for a gamepad if need be) and only the others are bots'.
//
// Every input message goes to the object of its seat's player, in play only
// while that player is still in the match, in the menus always (the gamepad
// works the menus through the Controller's menu cursor). The fire button goes
// out on the bus every frame it is held in play, as the bots' trigger does.
//
// Window events go to the bus as SDLEventMessage (minimizing, restoring and
// focus drive the engine's minimized loop and pauses); closing the window
// quits; F11 toggles full screen. The mouse is in relative mode only in play.
// Every event is first shown to the observers, before it is acted on.
class SdlInputSystem : public InputSystem {
 public:
  static constexpr int kAutoHumans = -1;

  // The window is the caller's and must outlive the system.
  SdlInputSystem(std::shared_ptr<Match> match, std::uint32_t seed, SDL_Window* window, int humans = kAutoHumans);
  ~SdlInputSystem() override;
  SdlInputSystem(const SdlInputSystem&) = delete;
  SdlInputSystem& operator=(const SdlInputSystem&) = delete;

  // Opens the game controllers and installs the window for the menu cursor.
  void Initialize() override;
  int Release() override;

  void AddEventObserver(std::function<void(const SDL_Event&)> observer);

  [[nodiscard]] bool IsHumanSeat(std::uint32_t seat) const;
  [[nodiscard]] int HumanSeatCount() const;
  [[nodiscard]] std::size_t GamepadCount() const { return mGamepads.size(); }

 protected:
  [[nodiscard]] bool IsBotSeat(std::uint32_t seat) const override { return !IsHumanSeat(seat); }
  void ReadDevices(float timeStep) override;
  void OnRumble(std::uint32_t player, float seconds, float power) override;

 private:
  struct Pad {
    std::unique_ptr<Gamepad> device;
    // The seat it plays, or -1 while it waits for one.
    int seat = -1;
  };

  void Shutdown();
  void OnEvent(const SDL_Event& event);
  void OnWindowEvent(const SDL_Event& event);
  void ToggleFullscreen();
  void AddGamepad(int deviceIndex);
  void RemoveGamepad(SDL_JoystickID instance);
  [[nodiscard]] Pad* FindPad(SDL_JoystickID instance);
  [[nodiscard]] int FreeSeatForPad() const;
  [[nodiscard]] bool IsOurWindow(std::uint32_t windowID) const;
  void Deliver(int seat, ButtonStates::Messages& messages);
  void UpdateMouseMode();

  SDL_Window* mWindow;
  int mHumans;
  std::uint32_t mSeats;
  SdlPlatformWindow mPlatformWindow;
  bool mInitialized = false;
  bool mRelativeMouse = false;
  std::vector<std::function<void(const SDL_Event&)>> mObservers;
  KeyboardMouse mKeyboard;
  std::vector<Pad> mGamepads;
  ButtonStates::Messages mScratch;
};
