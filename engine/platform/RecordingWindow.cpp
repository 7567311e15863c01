#include "platform/RecordingWindow.h"

namespace Platform {

Window::Point RecordingWindow::ClientToScreen(Point client) { return {client.x + mOrigin.x, client.y + mOrigin.y}; }

void RecordingWindow::SetCursorPosition(Point screen) {
  mCursor = screen;
  mMoves.push_back(screen);
}

void RecordingWindow::PostLeftButtonDown(Point client) { mClicks.push_back({Button::LeftDown, client}); }

void RecordingWindow::PostLeftButtonUp(Point client) { mClicks.push_back({Button::LeftUp, client}); }

void RecordingWindow::ClearRecord() {
  mMoves.clear();
  mClicks.clear();
}

}  // namespace Platform
