#pragma once
#include <memory>
#include <string>
#include <vector>

class Match;

// The main and pause menu and the screens behind it, drawn with Dear ImGui
// while the game is in the menus. Every item sits on the point where the
// Controller puts the mouse cursor for the selected row and column of the
// screen's MENU_STATE, so a gamepad works the menus through the cursor and
// its "Sprint" clicks exactly as a mouse does.
//
// Screens by MENU_STATE: 2 the main menu (play or resume, restart the level,
// choose a level, controls, quit), 3 "quit?" with yes and no, 4 the end of a
// match, 5 the level list (page buttons and back in the two-column rows, four
// levels per page below), 6 the controls with a back button.
class MenuScreen {
 public:
  explicit MenuScreen(std::shared_ptr<Match> match);

  // Esc: from play, pause into the main menu; in the menus, one screen back
  // (out of the main menu, back into a match that is under way).
  void Escape();
  // Draws the current screen and acts on a clicked item. Sizes are the
  // window's client area in window coordinates.
  void Draw(float width, float height, bool fullscreen);

  static constexpr int kLevelsPerPage = 4;

 private:
  bool Item(const char* label, int row, int column, float width, float height, bool fullscreen);
  void Show(int menuState);
  void DrawMain(float width, float height, bool fullscreen);
  void DrawLevels(float width, float height, bool fullscreen);
  void Caption(const std::string& text, float x, float y);
  void LoadLevel(const std::string& level);
  void FindLevels();
  [[nodiscard]] bool MatchUnderWay() const;

  std::shared_ptr<Match> mMatch;
  std::vector<std::string> mLevels;
  int mPage = 0;
  bool mStarted = false;
};
