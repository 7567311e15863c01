// The gamepad works the menus through the real SDL window: the menu cursor
// moves the real mouse cursor onto the selected item and the gamepad's click
// arrives as an SDL mouse-button event on it, with the window away from the
// desktop's origin.
#include <algorithm>

#include "core/GameState.h"
#include "host/window/WindowedMatchFixture.h"
#include "input/Controller.h"
#include "input/MenuCursor.h"

namespace {

using SdlPlatformWindowTest = WindowedMatchFixture;

TEST_F(SdlPlatformWindowTest, TheGamepadPutsTheCursorOnTheMenuItemAndClicksItThere) {
  VirtualPad& pad = PlugPad();
  Frame();
  GameState::SetState(STATE_MENU);
  GameState::SetMenuState(static_cast<MENU_STATE>(MenuCursor::kFiveRowMenu));
  Controller::SetMenuSelection(0, 0);
  Controller::isFullscreened = false;

  // Up from the first row wraps to the last.
  SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
  Frame();
  SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, 0);
  Frames(3);
  ASSERT_EQ(Controller::GetSelectedMenuItem(), 4);
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  const auto item = MenuCursor::ItemPoint(MenuCursor::kFiveRowMenu, 4, 0, {width, height}, false);
  ASSERT_TRUE(item.has_value());
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  EXPECT_EQ(Platform::Window::Point({x, y}), *item);
  // On the desktop, the cursor sits over the item inside the window.
  int windowX = 0;
  int windowY = 0;
  SDL_GetWindowPosition(window, &windowX, &windowY);
  EXPECT_EQ(windowX, kWindowX);
  SDL_GetGlobalMouseState(&x, &y);
  EXPECT_EQ(Platform::Window::Point({x, y}), Platform::Window::Point({windowX + item->x, windowY + item->y}));

  observed.clear();
  SDL_JoystickSetVirtualButton(pad.joystick, SDL_CONTROLLER_BUTTON_A, 1);
  Frames(2);
  SDL_JoystickSetVirtualButton(pad.joystick, SDL_CONTROLLER_BUTTON_A, 0);
  Frames(2);
  std::vector<SDL_MouseButtonEvent> clicks;
  for (const SDL_Event& event : observed) {
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) clicks.push_back(event.button);
  }
  // Held for two frames: the button stays down (a press each frame) until it comes up once.
  ASSERT_EQ(clicks.size(), 3u);
  for (const SDL_MouseButtonEvent& click : clicks) {
    EXPECT_EQ(click.button, SDL_BUTTON_LEFT);
    EXPECT_EQ(click.windowID, SDL_GetWindowID(window));
    EXPECT_EQ(Platform::Window::Point({click.x, click.y}), *item);
  }
  EXPECT_EQ(clicks[0].type, SDL_MOUSEBUTTONDOWN);
  EXPECT_EQ(clicks[1].type, SDL_MOUSEBUTTONDOWN);
  EXPECT_EQ(clicks[2].type, SDL_MOUSEBUTTONUP);
}

}  // namespace

// The whole way round, through Dear ImGui: in the game's OpenGL window with
// the real menus drawn, the gamepad's stick walks the selection down and back
// up, and its click lands on "Play" and starts the match.
class GamepadMenuTest : public WindowedMatchFixture {
 protected:
  GamepadMenuTest() : WindowedMatchFixture(true) {}
};

TEST_F(GamepadMenuTest, TheStickAndAClickOnTheImGuiMenuStartTheMatch) {
  VirtualPad& pad = PlugPad();
  GameState::SetState(STATE_MENU);
  GameState::SetMenuState(static_cast<MENU_STATE>(MenuCursor::kFiveRowMenu));
  Controller::SetMenuSelection(0, 0);
  Controller::isFullscreened = false;
  Frames(3);
  auto nudge = [&](Sint16 y) {
    SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, y);
    Frame();
    SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, 0);
    Frames(3);
  };
  // Down lands on "Restart level": a click there would load the level again.
  nudge(32767);
  ASSERT_EQ(Controller::GetSelectedMenuItem(), 1);
  nudge(-32768);
  ASSERT_EQ(Controller::GetSelectedMenuItem(), 0);
  EXPECT_EQ(GameState::GetState(), STATE_MENU);

  SDL_JoystickSetVirtualButton(pad.joystick, SDL_CONTROLLER_BUTTON_A, 1);
  Frames(2);
  SDL_JoystickSetVirtualButton(pad.joystick, SDL_CONTROLLER_BUTTON_A, 0);
  Frames(3);
  EXPECT_EQ(GameState::GetState(), STATE_PLAY);
  EXPECT_EQ(match->Log().Count("match started"), 1u);
}
