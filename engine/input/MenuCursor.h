#pragma once
#include <optional>

#include "platform/Export.h"
#include "platform/Window.h"

// Where the gamepad's menu selection puts the mouse cursor: one layout per
// menu screen, windowed and full screen, so that a gamepad drives menus that
// are clicked with the mouse.
class TW_API MenuCursor {
 public:
  // Menu screens by MENU_STATE, as the host numbers them. Only their layouts
  // matter here: a list of five rows, a row of two buttons, single buttons,
  // and a list of six rows whose first two rows hold two columns each.
  static constexpr int kFiveRowMenu = 2;
  static constexpr int kTwoColumnMenu = 3;
  static constexpr int kSingleItemMenu = 4;
  static constexpr int kSixRowMenu = 5;
  static constexpr int kLowSingleItemMenu = 6;
  static constexpr int kMiddleSingleItemMenu = 7;

  // Steps that wrap at both ends of 0..last. A row can still run past `last`
  // (the buttons of one screen on a row left by another, or a host's
  // setting); saturating keeps that harmless.
  [[nodiscard]] static int PreviousRow(int row, int last);
  [[nodiscard]] static int NextRow(int row, int last);
  [[nodiscard]] static int PreviousColumn(int column);
  [[nodiscard]] static int NextColumn(int column);

  // The selected item's point in a client area of the given size; none for
  // screens without a layout.
  [[nodiscard]] static std::optional<Platform::Window::Point> ItemPoint(int menuState, int row, int column,
                                                                        Platform::Window::Size size, bool fullscreen);
  // Moves the mouse cursor onto the selected item of the foreground window.
  static void Place(int menuState, int row, int column, bool fullscreen);
  // Where a click posted for the gamepad lands: the cursor's point less the
  // client rectangle's left and top (both 0).
  [[nodiscard]] static Platform::Window::Point ClickPoint();
};
