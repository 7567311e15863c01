#include "input/SdlInputSystem.h"

#include <SDL.h>

#include <algorithm>
#include <string>

#include "app/Match.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "core/InputMessages.h"
#include "core/WindowMessages.h"
#include "input/Controller.h"
#include "objects/Object.h"

namespace {

constexpr std::uint32_t kMaxSeats = 4;

bool InPlay() { return GameState::GetState() == STATE_PLAY; }
bool InMenus() { return GameState::GetState() == STATE_MENU; }

}  // namespace

SdlInputSystem::SdlInputSystem(std::shared_ptr<Match> match, std::uint32_t seed, SDL_Window* window, int humans)
    : InputSystem(match, seed),
      mWindow(window),
      mSeats(static_cast<std::uint32_t>(std::clamp(match->Options().players, 1, static_cast<int>(kMaxSeats)))),
      mPlatformWindow(window) {
  mHumans = humans < 0 ? kAutoHumans : std::min(humans, static_cast<int>(mSeats));
}

SdlInputSystem::~SdlInputSystem() { Shutdown(); }

void SdlInputSystem::Initialize() {
  InputSystem::Initialize();
  mInitialized = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  // Controllers already plugged in; their "added" events, if still queued, find them open.
  if (mInitialized) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) AddGamepad(i);
  }
  Platform::SetWindow(&mPlatformWindow);
}

int SdlInputSystem::Release() {
  Shutdown();
  return InputSystem::Release();
}

void SdlInputSystem::Shutdown() {
  mGamepads.clear();
  if (mRelativeMouse) SDL_SetRelativeMouseMode(SDL_FALSE);
  mRelativeMouse = false;
  if (&Platform::GetWindow() == &mPlatformWindow) Platform::SetWindow(nullptr);
  if (mInitialized) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  mInitialized = false;
}

void SdlInputSystem::AddEventObserver(std::function<void(const SDL_Event&)> observer) {
  if (observer) mObservers.push_back(std::move(observer));
}

bool SdlInputSystem::IsHumanSeat(std::uint32_t seat) const {
  if (seat >= mSeats || mHumans == 0) return false;
  if (mHumans != kAutoHumans) return seat < static_cast<std::uint32_t>(mHumans);
  if (seat == 0) return true;
  return std::any_of(mGamepads.begin(), mGamepads.end(),
                     [seat](const Pad& pad) { return pad.seat == static_cast<int>(seat); });
}

int SdlInputSystem::HumanSeatCount() const {
  int count = 0;
  for (std::uint32_t seat = 0; seat < mSeats; ++seat) count += IsHumanSeat(seat) ? 1 : 0;
  return count;
}

void SdlInputSystem::ReadDevices(float timeStep) {
  // First: the menus may place the cursor this frame, which a captured mouse would not let them.
  UpdateMouseMode();
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    // By index: an observer may add another.
    for (std::size_t i = 0; i < mObservers.size(); ++i) mObservers[i](event);
    OnEvent(event);
  }

  const bool inPlay = InPlay();
  if (mHumans != 0) {
    mKeyboard.Frame(inPlay, 0, mScratch);
    Deliver(0, mScratch);
  }
  std::array<bool, kMaxSeats> fires{};
  fires[0] = mHumans != 0 && mKeyboard.Fires();
  for (Pad& pad : mGamepads) {
    if (pad.seat < 0) continue;
    pad.device->Frame(inPlay, InMenus(), timeStep, static_cast<std::uint32_t>(pad.seat), mScratch);
    Deliver(pad.seat, mScratch);
    if (pad.device->Fires()) fires[static_cast<std::size_t>(pad.seat)] = true;
  }
  if (inPlay) {
    const auto& players = GetMatch().Players();
    for (std::uint32_t seat = 0; seat < mSeats; ++seat) {
      if (fires[seat] && players[seat].fate == Match::Fate::Playing) {
        Relay(std::make_shared<RightTriggerPressMessage>(L"Input", seat));
      }
    }
  }
  UpdateMouseMode();
}

void SdlInputSystem::OnEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      CloseWindow();
      break;
    case SDL_WINDOWEVENT:
      OnWindowEvent(event);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (!IsOurWindow(event.key.windowID)) break;
      if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_F11 && event.key.repeat == 0) {
        ToggleFullscreen();
        break;
      }
      [[fallthrough]];
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      // The window id sits at the same place in every keyboard and mouse event.
      if (mHumans == 0 || !IsOurWindow(event.window.windowID)) break;
      mKeyboard.OnEvent(event, InPlay(), 0, mScratch);
      Deliver(0, mScratch);
      break;
    case SDL_CONTROLLERDEVICEADDED:
      AddGamepad(event.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      RemoveGamepad(event.cdevice.which);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (Pad* pad = FindPad(event.cbutton.which); pad && pad->seat >= 0) {
        pad->device->OnButton(event.cbutton, static_cast<std::uint32_t>(pad->seat), mScratch);
        Deliver(pad->seat, mScratch);
      }
      break;
    default:
      break;
  }
}

void SdlInputSystem::OnWindowEvent(const SDL_Event& event) {
  if (!IsOurWindow(event.window.windowID)) return;
  switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      CloseWindow();
      return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // Keys let go while another window has the keyboard never come up here.
      if (mHumans != 0) {
        mKeyboard.ReleaseAll(0, mScratch);
        Deliver(0, mScratch);
      }
      break;
    default:
      break;
  }
  Relay(std::make_shared<SDLEventMessage>(L"Input", event));
  // The engine leaves its minimized loop on regaining focus only; a window
  // restored without the focus is on screen again all the same.
  if (event.window.event == SDL_WINDOWEVENT_RESTORED && Engine::IsGameMinimized()) {
    SDL_Event focus = event;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    Relay(std::make_shared<SDLEventMessage>(L"Input", focus));
  }
}

void SdlInputSystem::ToggleFullscreen() {
  const bool wanted = (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_FULLSCREEN) == 0;
  if (SDL_SetWindowFullscreen(mWindow, wanted ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
  Controller::isFullscreened = wanted;
  Relay(std::make_shared<FullScreenMessage>(L"Input", wanted));
}

void SdlInputSystem::AddGamepad(int deviceIndex) {
  if (!mInitialized || SDL_IsGameController(deviceIndex) == SDL_FALSE) return;
  if (FindPad(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
  auto device = std::make_unique<Gamepad>(deviceIndex);
  if (!device->IsOpen()) return;
  const int seat = FreeSeatForPad();
  mGamepads.push_back({std::move(device), seat});
}

void SdlInputSystem::RemoveGamepad(SDL_JoystickID instance) {
  const auto found = std::find_if(mGamepads.begin(), mGamepads.end(),
                                  [instance](const Pad& pad) { return pad.device->InstanceID() == instance; });
  if (found == mGamepads.end()) return;
  if (found->seat >= 0) {
    found->device->ReleaseAll(static_cast<std::uint32_t>(found->seat), mScratch);
    Deliver(found->seat, mScratch);
  }
  mGamepads.erase(found);
  // A pad that waited takes the seat that came free.
  for (Pad& pad : mGamepads) {
    if (pad.seat < 0) pad.seat = FreeSeatForPad();
  }
}

SdlInputSystem::Pad* SdlInputSystem::FindPad(SDL_JoystickID instance) {
  for (Pad& pad : mGamepads) {
    if (pad.device->InstanceID() == instance) return &pad;
  }
  return nullptr;
}

int SdlInputSystem::FreeSeatForPad() const {
  if (mHumans == 0) return -1;
  const auto taken = [this](int seat) {
    return std::any_of(mGamepads.begin(), mGamepads.end(), [seat](const Pad& pad) { return pad.seat == seat; });
  };
  const int last = mHumans == kAutoHumans ? static_cast<int>(mSeats) : mHumans;
  for (int seat = 1; seat < last; ++seat) {
    if (!taken(seat)) return seat;
  }
  return taken(0) ? -1 : 0;
}

bool SdlInputSystem::IsOurWindow(std::uint32_t windowID) const {
  // Events pushed without a window belong to the only window there is.
  return windowID == 0 || windowID == SDL_GetWindowID(mWindow);
}

void SdlInputSystem::Deliver(int seat, ButtonStates::Messages& messages) {
  if (messages.empty()) return;
  const Match::Player& player = GetMatch().Players().at(static_cast<std::size_t>(seat));
  // In play only a player still in the match acts; the menus hear everyone.
  const bool heard = InMenus() || (InPlay() && player.fate == Match::Fate::Playing);
  const std::shared_ptr<Object> object = heard ? SeatObject(static_cast<std::uint32_t>(seat)) : nullptr;
  if (object) {
    for (const auto& message : messages) HandTo(static_cast<std::uint32_t>(seat), *object, message);
  }
  messages.clear();
}

void SdlInputSystem::OnRumble(std::uint32_t player, float seconds, float power) {
  for (Pad& pad : mGamepads) {
    if (pad.seat == static_cast<int>(player)) pad.device->Rumble(seconds, power);
  }
}

void SdlInputSystem::UpdateMouseMode() {
  const bool focused = (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_INPUT_FOCUS) != 0;
  const bool wanted = mHumans != 0 && InPlay() && focused;
  if (wanted == mRelativeMouse) return;
  // Tried once per change: a refusal is not worth a retry every frame.
  SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE);
  mRelativeMouse = wanted;
}
