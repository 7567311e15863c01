// The windowed input system with real SDL events in a real window: a gamepad
// plugged in through SDL's virtual joysticks and the keyboard and mouse walk
// and turn their players through the host's physics, the window's events
// drive the engine's minimized loop, and closing the window ends the match.
#include <algorithm>
#include <cmath>

#include "core/GameState.h"
#include "core/InputMessages.h"
#include "host/window/WindowedMatchFixture.h"
#include "input/Controller.h"

using Vectormath::Aos::Vector3;

namespace {

Vector3 Flat(const Vector3& v) { return Vectormath::Aos::normalize(Vector3(v.getX(), 0.0f, v.getZ())); }
// The flat right of a flat forward.
Vector3 RightOf(const Vector3& forward) { return {-forward.getZ(), 0.0f, forward.getX()}; }

using SdlInputSystemTest = WindowedMatchFixture;

TEST_F(SdlInputSystemTest, APluggedInGamepadTakesTheNextSeatWalksItsPlayerShakesAndGivesTheSeatBack) {
  EXPECT_EQ(input->HumanSeatCount(), 1);
  EXPECT_FALSE(input->IsHumanSeat(1));
  VirtualPad& pad = PlugPad();
  Frames(8);
  ASSERT_EQ(input->GamepadCount(), 1u);
  EXPECT_TRUE(input->IsHumanSeat(1));

  // A stick resting a little off centre leaves the player standing.
  const Vector3 start = PositionOf(1);
  SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, -6000);
  SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTX, 3000);
  Frames(16);
  EXPECT_LT(Vectormath::Aos::length(PositionOf(1) - start), 0.05f);

  // Pushed up, it walks the way its player looks.
  const Vector3 forward = Flat(ForwardOf(1));
  SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
  SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTX, 0);
  Frames(16);
  const Vector3 moved = PositionOf(1) - start;
  EXPECT_GT(Vectormath::Aos::dot(moved, forward), 1.0f);
  EXPECT_LT(std::fabs(Vectormath::Aos::dot(moved, RightOf(forward))), 0.1f);
  SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, 0);

  // A gun's kick shakes the pad of that player, and no other.
  const auto controller = Player(1)->GetComponentAs<Controller>(CT_Controller);
  Engine::RelayMessage(std::make_shared<ControllerVibrateMessage>(L"GameLogic", 0.2f, 0.5f, controller));
  Frame();
  EXPECT_EQ(pad.rumbles, 1);
  EXPECT_NEAR(pad.strongest, 32768, 2);
  Engine::RelayMessage(std::make_shared<ControllerVibrateMessage>(
      L"GameLogic", 0.2f, 1.0f, Player(0)->GetComponentAs<Controller>(CT_Controller)));
  Frame();
  EXPECT_EQ(pad.rumbles, 1);

  UnplugPad(pad);
  Frames(2);
  EXPECT_EQ(input->GamepadCount(), 0u);
  EXPECT_FALSE(input->IsHumanSeat(1));
}

TEST_F(SdlInputSystemTest, TheKeyboardWalksAndTheMouseTurnsTheViewOnlyInPlay) {
  Frames(4);
  const Vector3 start = PositionOf(0);
  const Vector3 forward = Flat(ForwardOf(0));
  PushKey(SDL_SCANCODE_W, true);
  Frames(16);
  PushKey(SDL_SCANCODE_W, false);
  Frames(2);
  const Vector3 walked = PositionOf(0) - start;
  EXPECT_GT(Vectormath::Aos::dot(walked, forward), 1.0f);
  EXPECT_LT(std::fabs(Vectormath::Aos::dot(walked, RightOf(forward))), 0.1f);
  // Let go, the player stops.
  const Vector3 stopped = PositionOf(0);
  Frames(8);
  EXPECT_LT(Vectormath::Aos::length(PositionOf(0) - stopped), 0.05f);

  // The mouse to the right turns the view and the body to the right.
  const float bodyYaw = Player(0)->GetComponentAs<Transform>(CT_Transform)->GetTransformData().ModelRotationAngleY;
  PushMouseMotion(60, 0);
  Frame();
  const Vector3 turned = Flat(ForwardOf(0));
  EXPECT_GT(Vectormath::Aos::dot(turned, RightOf(forward)), 0.05f);
  EXPECT_NE(Player(0)->GetComponentAs<Transform>(CT_Transform)->GetTransformData().ModelRotationAngleY, bodyYaw);
  // Up the screen, it looks up.
  const auto camera = Player(0)->GetComponentAs<Camera>(CT_Camera);
  const float lookY = camera->GetLookAt().getY();
  PushMouseMotion(0, -40);
  Frame();
  EXPECT_GT(camera->GetLookAt().getY(), lookY + 0.05f);

  // In the menus the mouse is the menus' alone.
  GameState::SetState(STATE_MENU);
  const Vector3 before = ForwardOf(0);
  PushMouseMotion(80, 30);
  Frame();
  EXPECT_LT(Vectormath::Aos::length(ForwardOf(0) - before), 1e-6f);
}

TEST_F(SdlInputSystemTest, WhileMinimizedOnlyInputRunsAndARestoreResumesTheGameUntilTheWindowCloses) {
  auto* other = new RecordingSystem(L"Other");
  // A second system the engine knows as "Input": it counts the minimized cycles.
  auto* watcher = new RecordingSystem(L"Input");
  Engine::AddSystem(other);
  Engine::AddSystem(watcher);
  const auto windowEvent = [this](SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    Push(event);
  };
  int minimizedCycles = 0;
  watcher->onUpdate = [&](float) {
    if (Engine::IsGameMinimized() && ++minimizedCycles == 3) windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  };
  other->onUpdate = [&](float) {
    if (minimizedCycles >= 3) windowEvent(SDL_WINDOWEVENT_CLOSE);
  };
  windowEvent(SDL_WINDOWEVENT_MINIMIZED);
  Engine::GameLoop();

  EXPECT_EQ(minimizedCycles, 3);
  EXPECT_EQ(std::count(other->updates.begin(), other->updates.end(), 0.1f), 0);
  // Regaining the focus after minimizing asks the game to pause.
  EXPECT_EQ(other->CountQueued(MT_PAUSE), 1u);
  EXPECT_FALSE(Engine::IsGameActive());
  EXPECT_EQ(match->endReason, "the window was closed");
}

TEST_F(SdlInputSystemTest, F11TogglesFullScreenAndTheMenuLayoutWithIt) {
  Controller::isFullscreened = false;
  PushKey(SDL_SCANCODE_F11, true);
  PushKey(SDL_SCANCODE_F11, false);
  Frames(2);
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
  EXPECT_TRUE(Controller::isFullscreened);
  PushKey(SDL_SCANCODE_F11, true);
  Frames(2);
  EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
  EXPECT_FALSE(Controller::isFullscreened);
}

}  // namespace
