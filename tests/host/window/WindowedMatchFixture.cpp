#include "host/window/WindowedMatchFixture.h"

#include <algorithm>
#include <string>

#include "core/GameState.h"
#include "game/GameSystem.h"
#include "gameplay/RoomHandler.h"
#include "physics/PhysicsSystem.h"
#include "render/GlRendererSystem.h"
#include "platform/FileSystem.h"
#include "support/ScenarioPhysics.h"

using Vectormath::Aos::Vector3;

namespace {

int CountRumble(void* userdata, Uint16 low, Uint16 high) {
  auto* pad = static_cast<VirtualPad*>(userdata);
  ++pad->rumbles;
  pad->strongest = std::max({pad->strongest, low, high});
  return 0;
}

}  // namespace

void WindowedMatchFixture::SetUp() {
  EngineFixture::SetUp();
  // The virtual desktop has no window manager to give our window the focus;
  // gamepads must count all the same.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  if (mWithRenderer) {
    std::string error;
    mGlWindow = GlWindow::Open("menu test", 640, 480, error);
    ASSERT_NE(mGlWindow, nullptr) << error;
    window = mGlWindow->Handle();
    SDL_SetWindowPosition(window, kWindowX, kWindowY);
  } else {
    window = SDL_CreateWindow("input test", kWindowX, kWindowY, 320, 240, SDL_WINDOW_SHOWN);
  }
  ASSERT_NE(window, nullptr) << SDL_GetError();
  // No window manager gives it the focus; ask until it has it (a window of
  // the test before, still going away, can take it back once).
  for (int wait = 0; wait < 200 && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) == 0; ++wait) {
    if (wait % 10 == 0) SDL_SetWindowInputFocus(window);
    SDL_Delay(5);
    SDL_PumpEvents();
  }

  Platform::SetResourceRoot(std::string(TIDEWATER_SOURCE_DIR) + "/Resources");
  HostOptions options;
  options.players = 2;
  match = std::make_shared<Match>(options, nullptr);
  input = new SdlInputSystem(match, 7u, window);
  input->AddEventObserver([this](const SDL_Event& event) { observed.push_back(event); });
  auto* game = new GameSystem(match);
  Engine::AddSystem(input);
  Engine::AddSystem(game);
  Engine::AddSystem(new PhysicsSystem());
  if (mGlWindow) {
    auto* renderer = new GlRendererSystem(match, *mGlWindow, {}, mRendererOut, mRendererOut);
    input->AddEventObserver([renderer](const SDL_Event& event) { renderer->OnEvent(event); });
    Engine::AddSystem(renderer);
  }
  for (System* system : Engine::GetSystems()) system->Initialize();
  Engine::mFactory.LoadLevel(std::string("Ship"));
  game->BeginMatch();
  GameState::SetState(STATE_PLAY);
  if (mFirstFrame) Frame();
}

void WindowedMatchFixture::TearDown() {
  for (auto& pad : pads) UnplugPad(*pad);
  RoomHandler::ResetRooms();
  Platform::SetResourceRoot("");
  EngineFixture::TearDown();
  if (mGlWindow) {
    mGlWindow.reset();
  } else if (window) {
    SDL_DestroyWindow(window);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void WindowedMatchFixture::Frame() { RunFrame(0.0125f, &mClock); }

std::shared_ptr<Object> WindowedMatchFixture::Player(int seat) {
  return Engine::mFactory.GetObjectByName("Player" + std::to_string(seat + 1)).lock();
}

Vector3 WindowedMatchFixture::PositionOf(int seat) {
  return Player(seat)->GetComponentAs<Transform>(CT_Transform)->GetPosition();
}

Vector3 WindowedMatchFixture::ForwardOf(int seat) {
  return Player(seat)->GetComponentAs<Camera>(CT_Camera)->GetForwardVector();
}

void WindowedMatchFixture::Push(SDL_Event event) const {
  event.window.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&event);
}

void WindowedMatchFixture::PushKey(SDL_Scancode key, bool down) const {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = key;
  event.key.keysym.sym = SDL_GetKeyFromScancode(key);
  Push(event);
}

void WindowedMatchFixture::PushMouseMotion(int dx, int dy) const {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.xrel = dx;
  event.motion.yrel = dy;
  Push(event);
}

VirtualPad& WindowedMatchFixture::PlugPad() {
  auto pad = std::make_unique<VirtualPad>();
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "test pad";
  desc.userdata = pad.get();
  desc.Rumble = &CountRumble;
  pad->deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
  EXPECT_GE(pad->deviceIndex, 0) << SDL_GetError();
  pad->joystick = SDL_JoystickOpen(pad->deviceIndex);
  EXPECT_NE(pad->joystick, nullptr) << SDL_GetError();
  pads.push_back(std::move(pad));
  return *pads.back();
}

void WindowedMatchFixture::UnplugPad(VirtualPad& pad) {
  if (!pad.joystick) return;
  const SDL_JoystickID instance = SDL_JoystickInstanceID(pad.joystick);
  SDL_JoystickClose(pad.joystick);
  pad.joystick = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == instance) SDL_JoystickDetachVirtual(i);
  }
}
