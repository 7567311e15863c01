#pragma once
#include <SDL_video.h>

#include "platform/Window.h"

// The game's SDL window as the menu cursor sees it, in the window's own
// coordinates throughout: the client area starts at (0, 0), client and
// "screen" points are the same, the cursor is read and warped inside the
// window, and a click is an SDL mouse-button event pushed at its point. So
// the cursor lands on the menu item wherever the window sits on the desktop.
class SdlPlatformWindow final : public Platform::Window {
 public:
  explicit SdlPlatformWindow(SDL_Window* window) : mWindow(window) {}

  Size ClientSize() override;
  Point ClientToScreen(Point client) override { return client; }
  Point CursorPosition() override;
  void SetCursorPosition(Point screen) override;
  void PostLeftButtonDown(Point client) override { PostLeftButton(client, true); }
  void PostLeftButtonUp(Point client) override { PostLeftButton(client, false); }

 private:
  void PostLeftButton(Point client, bool down);

  SDL_Window* mWindow;
};
