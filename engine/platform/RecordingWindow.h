#pragma once
#include <vector>

#include "platform/Export.h"
#include "platform/Window.h"

namespace Platform {

// A window that writes down what was done to it, for tests and for hosts that
// replay or log menu input. The client area's size and screen origin are
// chosen by the caller.
class TW_API RecordingWindow final : public Window {
 public:
  enum class Button { LeftDown, LeftUp };
  struct Click {
    Button button = Button::LeftDown;
    Point at;  // client coordinates
    friend bool operator==(const Click&, const Click&) = default;
  };

  explicit RecordingWindow(Size clientSize = HeadlessWindow::kDefaultClientSize, Point clientOrigin = {})
      : mSize(clientSize), mOrigin(clientOrigin) {}

  Size ClientSize() override { return mSize; }
  Point ClientToScreen(Point client) override;
  Point CursorPosition() override { return mCursor; }
  void SetCursorPosition(Point screen) override;
  void PostLeftButtonDown(Point client) override;
  void PostLeftButtonUp(Point client) override;

  void SetClientSize(Size size) { mSize = size; }
  void SetClientOrigin(Point origin) { mOrigin = origin; }
  // Moves the cursor as a user would, without recording a move.
  void PlaceCursor(Point screen) { mCursor = screen; }

  // Every SetCursorPosition, oldest first, in screen coordinates.
  [[nodiscard]] const std::vector<Point>& CursorMoves() const { return mMoves; }
  // Every posted button event, oldest first.
  [[nodiscard]] const std::vector<Click>& Clicks() const { return mClicks; }
  void ClearRecord();

 private:
  Size mSize;
  Point mOrigin;
  Point mCursor;
  std::vector<Point> mMoves;
  std::vector<Click> mClicks;
};

}  // namespace Platform
