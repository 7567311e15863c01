#include <gtest/gtest.h>

#include "platform/RecordingWindow.h"
#include "platform/Window.h"

namespace {

using Platform::RecordingWindow;
using Point = Platform::Window::Point;
using Size = Platform::Window::Size;

TEST(WindowTest, HeadlessByDefault) {
  Platform::Window& window = Platform::GetWindow();
  EXPECT_EQ(window.ClientSize(), (Size{1280, 720}));
  EXPECT_EQ(window.ClientToScreen({640, 360}), (Point{640, 360}));
  // The cursor keeps the place it was given.
  window.SetCursorPosition({10, 20});
  EXPECT_EQ(window.CursorPosition(), (Point{10, 20}));
}

TEST(WindowTest, InstalledRecorderSeesCursorMovesAndClicksInOrder) {
  RecordingWindow recorder(Size{800, 600}, Point{100, 50});
  Platform::SetWindow(&recorder);
  Platform::Window& window = Platform::GetWindow();

  // What the menu cursor does: size, convert, place, then click where it is.
  const Size size = window.ClientSize();
  EXPECT_EQ(size, (Size{800, 600}));
  const Point screen = window.ClientToScreen({size.width / 2, size.height / 4});
  EXPECT_EQ(screen, (Point{500, 200}));
  window.SetCursorPosition(screen);
  window.PostLeftButtonDown(window.CursorPosition());
  window.PostLeftButtonUp(window.CursorPosition());

  EXPECT_EQ(recorder.CursorMoves(), (std::vector<Point>{{500, 200}}));
  const std::vector<RecordingWindow::Click> clicks{{RecordingWindow::Button::LeftDown, {500, 200}},
                                                   {RecordingWindow::Button::LeftUp, {500, 200}}};
  EXPECT_EQ(recorder.Clicks(), clicks);

  // A user moving the mouse is not a recorded move, but is where clicks land.
  recorder.PlaceCursor({7, 8});
  EXPECT_EQ(window.CursorPosition(), (Point{7, 8}));
  EXPECT_EQ(recorder.CursorMoves().size(), 1U);

  Platform::SetWindow(nullptr);
  EXPECT_NE(&Platform::GetWindow(), &recorder);
  EXPECT_EQ(Platform::GetWindow().ClientSize(), Platform::HeadlessWindow::kDefaultClientSize);
}

}  // namespace
