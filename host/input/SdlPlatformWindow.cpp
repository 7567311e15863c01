#include "input/SdlPlatformWindow.h"

#include <SDL_events.h>
#include <SDL_mouse.h>
#include <SDL_timer.h>

Platform::Window::Size SdlPlatformWindow::ClientSize() {
  Size size;
  SDL_GetWindowSize(mWindow, &size.width, &size.height);
  return size;
}

Platform::Window::Point SdlPlatformWindow::CursorPosition() {
  Point cursor;
  SDL_GetMouseState(&cursor.x, &cursor.y);
  return cursor;
}

void SdlPlatformWindow::SetCursorPosition(Point screen) { SDL_WarpMouseInWindow(mWindow, screen.x, screen.y); }

void SdlPlatformWindow::PostLeftButton(Point client, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.timestamp = SDL_GetTicks();
  event.button.windowID = SDL_GetWindowID(mWindow);
  event.button.which = 0;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = client.x;
  event.button.y = client.y;
  SDL_PushEvent(&event);
}
