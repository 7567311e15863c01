#pragma once
#include "platform/Window.h"

// The game window as the recording saw it: the client size it had, a cursor
// that only remembers where it was put, and clicks that go nowhere (the
// menus' actions are in the recording).
class ReplayWindow final : public Platform::Window {
 public:
  void SetClientSize(Size size) { mSize = size; }
  Size ClientSize() override { return mSize; }
  Point ClientToScreen(Point client) override { return client; }
  Point CursorPosition() override { return mCursor; }
  void SetCursorPosition(Point screen) override { mCursor = screen; }
  void PostLeftButtonDown(Point /*client*/) override {}
  void PostLeftButtonUp(Point /*client*/) override {}

 private:
  Size mSize = Platform::HeadlessWindow::kDefaultClientSize;
  Point mCursor;
};
