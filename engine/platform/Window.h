#pragma once
#include <cstdint>

#include "platform/Export.h"

namespace Platform {

// What the menu cursor needs of the game window: the size of its client area,
// client-to-screen conversion, the mouse cursor, and posted left clicks, so
// that a gamepad can work the host's mouse-driven menus. The host installs a
// window that talks to its real one; without that the engine is headless.
class TW_API Window {
 public:
  struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
  };
  struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const Size&, const Size&) = default;
  };
  // A client rectangle as Windows reports one: left and top are always 0.
  struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
  };

  virtual ~Window() = default;
  // Size of the foreground window's client area.
  [[nodiscard]] virtual Size ClientSize() = 0;
  // The client area in its own coordinates: (0, 0) to its size.
  [[nodiscard]] Rect ClientRect() {
    const Size size = ClientSize();
    return {0, 0, size.width, size.height};
  }
  // A point in client coordinates, in screen coordinates.
  [[nodiscard]] virtual Point ClientToScreen(Point client) = 0;
  // The mouse cursor, in screen coordinates.
  [[nodiscard]] virtual Point CursorPosition() = 0;
  virtual void SetCursorPosition(Point screen) = 0;
  // Left-button presses delivered to the window at a client point.
  virtual void PostLeftButtonDown(Point client) = 0;
  virtual void PostLeftButtonUp(Point client) = 0;
};

// No window at all: a client area at the screen origin (of a fixed size
// unless told another, as a replay is by its recording), a cursor that only
// remembers where it was put, and clicks that go nowhere.
class TW_API HeadlessWindow final : public Window {
 public:
  static constexpr Size kDefaultClientSize{1280, 720};

  void SetClientSize(Size size) { mSize = size; }
  Size ClientSize() override { return mSize; }
  Point ClientToScreen(Point client) override { return client; }
  Point CursorPosition() override { return mCursor; }
  void SetCursorPosition(Point screen) override { mCursor = screen; }
  void PostLeftButtonDown(Point /*client*/) override {}
  void PostLeftButtonUp(Point /*client*/) override {}

 private:
  Size mSize = kDefaultClientSize;
  Point mCursor;
};

// The window in use; a HeadlessWindow until another one is installed.
TW_API Window& GetWindow();
// Installs a window the caller keeps alive; nullptr restores the headless one.
TW_API void SetWindow(Window* window);

}  // namespace Platform
