#include "input/MenuCursor.h"

#include <cstdint>
#include <limits>

namespace {

// Truncates toward zero like a plain cast, without undefined behaviour when
// a selection left far out of range pushes the point off any screen.
std::int32_t ToPixel(double value) {
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  if (!(value > kLow)) return std::numeric_limits<std::int32_t>::min();
  if (!(value < kHigh)) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace

int MenuCursor::PreviousRow(int row, int last) {
  if (row == 0) return last;
  return row == std::numeric_limits<int>::min() ? row : row - 1;
}
int MenuCursor::NextRow(int row, int last) {
  if (row == last) return 0;
  return row == std::numeric_limits<int>::max() ? row : row + 1;
}
int MenuCursor::PreviousColumn(int column) {
  if (column == 0) return 1;
  return column == std::numeric_limits<int>::min() ? column : column - 1;
}
int MenuCursor::NextColumn(int column) {
  if (column == 1) return 0;
  return column == std::numeric_limits<int>::max() ? column : column + 1;
}

// Where the selected item sits in a client area of w x h. Integer parts are
// integer arithmetic; the fractional layouts are single precision, then
// truncated, so the cursor lands on the same pixel as the menus expect.
std::optional<Platform::Window::Point> MenuCursor::ItemPoint(int menuState, int row, int column,
                                                             Platform::Window::Size size, bool fullscreen) {
  const std::int64_t w = size.width;
  const std::int64_t h = size.height;
  const float fw = static_cast<float>(size.width);
  const float fh = static_cast<float>(size.height);
  const float fColumn = static_cast<float>(column);
  const auto point = [](double x, double y) { return Platform::Window::Point{ToPixel(x), ToPixel(y)}; };
  const auto exact = [](std::int64_t x, std::int64_t y) {
    return Platform::Window::Point{ToPixel(static_cast<double>(x)), ToPixel(static_cast<double>(y))};
  };

  switch (menuState) {
    case kFiveRowMenu:
      return fullscreen ? exact(w / 2, (h / 10) * row + h / 3) : exact(w / 2, (h / 8) * row + h / 4);
    case kTwoColumnMenu:
      return exact((w / 3) * (static_cast<std::int64_t>(column) + 1), h / 2);
    case kSingleItemMenu:
      return exact(w / 3, (4 * h) / 5);
    case kSixRowMenu:
      if (row == 0) {
        return fullscreen ? point(fw * 0.51f + fw * 0.07f * fColumn, fh * 0.4f)
                          : point(fw * 0.51f + fw * 0.1f * fColumn, fh * 0.385f);
      }
      if (row == 1) {
        return fullscreen ? point(fw * 0.51f + fw * 0.07f * fColumn, fh * 0.44f)
                          : point(fw * 0.51f + fw * 0.1f * fColumn, fh * 0.43f);
      }
      {
        const float below = static_cast<float>(row) - 2.0f;
        return fullscreen ? point(fw * 0.41f, fh * 0.47f + fh * 0.04f * below)
                          : point(fw * 0.4f, fh * 0.47f + fh * 0.05f * below);
      }
    case kLowSingleItemMenu:
      return fullscreen ? point(fw * 0.2f, fh * 0.82f) : point(fw * 0.2f, fh * 0.9f);
    case kMiddleSingleItemMenu:
      return fullscreen ? point(fw * 0.5f, fh * 0.58f) : point(fw * 0.5f, fh * 0.6f);
    default:
      return std::nullopt;
  }
}

void MenuCursor::Place(int menuState, int row, int column, bool fullscreen) {
  Platform::Window& window = Platform::GetWindow();
  const auto point = ItemPoint(menuState, row, column, window.ClientSize(), fullscreen);
  if (!point) return;
  window.SetCursorPosition(window.ClientToScreen(*point));
}

Platform::Window::Point MenuCursor::ClickPoint() {
  Platform::Window& window = Platform::GetWindow();
  const Platform::Window::Point cursor = window.CursorPosition();
  const Platform::Window::Rect client = window.ClientRect();
  return {ToPixel(static_cast<double>(cursor.x) - client.left), ToPixel(static_cast<double>(cursor.y) - client.top)};
}
