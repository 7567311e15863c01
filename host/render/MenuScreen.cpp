#include "render/MenuScreen.h"

#include <imgui.h>

#include <algorithm>
#include <filesystem>

#include "app/Match.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "input/MenuCursor.h"
#include "platform/FileSystem.h"

namespace {

constexpr ImGuiWindowFlags kScreen = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoSavedSettings |
                                     ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoMove |
                                     ImGuiWindowFlags_NoBringToFrontOnFocus;

const char* kControls =
    "Keyboard and mouse (first player)\n"
    "  W A S D or arrows   walk\n"
    "  mouse               look\n"
    "  Shift               sprint\n"
    "  left button         fire\n"
    "  F                   drop a flare\n"
    "  E                   use (doors, escape pods)\n"
    "  Esc                 menu       F11  full screen      F3  debug shapes\n"
    "\n"
    "Gamepad (next free seat each)\n"
    "  left stick walk, right stick look, trigger fires,\n"
    "  in the menus the stick moves the cursor and Sprint clicks";

}  // namespace

MenuScreen::MenuScreen(std::shared_ptr<Match> match) : mMatch(std::move(match)) { FindLevels(); }

bool MenuScreen::MatchUnderWay() const { return mStarted && mMatch->endReason.empty(); }

void MenuScreen::Show(int menuState) { GameState::SetMenuState(static_cast<MENU_STATE>(menuState)); }

void MenuScreen::Escape() {
  if (GameState::GetState() == STATE_PLAY) {
    mStarted = true;
    GameState::SetState(STATE_MENU);
    Show(MenuCursor::kFiveRowMenu);
    return;
  }
  const int screen = static_cast<int>(GameState::GetMenuState());
  if (screen == MenuCursor::kFiveRowMenu) {
    if (MatchUnderWay()) GameState::SetState(STATE_PLAY);
  } else if (screen != MenuCursor::kSingleItemMenu) {
    Show(MenuCursor::kFiveRowMenu);
  }
}

void MenuScreen::FindLevels() {
  mLevels.clear();
  std::error_code error;
  const std::filesystem::path root = Platform::NativePath(std::wstring(Platform::kDefaultResourceRoot) + L"\\Levels");
  for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory(error) && std::filesystem::is_regular_file(entry.path() / (name + ".txt"), error)) {
      mLevels.push_back(name);
    }
  }
  std::sort(mLevels.begin(), mLevels.end());
  mPage = 0;
}

void MenuScreen::LoadLevel(const std::string& level) {
  mStarted = true;
  Engine::RelayMessage(std::make_shared<LoadLevelMessage>(L"Menus", level, mMatch->Options().players));
}

bool MenuScreen::Item(const char* label, int row, int column, float width, float height, bool fullscreen) {
  const auto point =
      MenuCursor::ItemPoint(static_cast<int>(GameState::GetMenuState()), row, column,
                            {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)}, fullscreen);
  if (!point) return false;
  // Small enough that neighbouring items never overlap in any layout.
  const ImVec2 size(width * 0.085f, height * 0.034f);
  const bool twoColumns = (GameState::GetMenuState() == MenuCursor::kSixRowMenu && row < 2) ||
                          GameState::GetMenuState() == MenuCursor::kTwoColumnMenu;
  const ImVec2 item(twoColumns ? size.x : width * 0.22f, std::max(size.y, 18.0f));
  ImGui::SetCursorScreenPos(
      ImVec2(static_cast<float>(point->x) - item.x * 0.5f, static_cast<float>(point->y) - item.y * 0.5f));
  return ImGui::Button(label, item);
}

void MenuScreen::Caption(const std::string& text, float x, float y) {
  const ImVec2 size = ImGui::CalcTextSize(text.c_str());
  ImGui::SetCursorScreenPos(ImVec2(x - size.x * 0.5f, y));
  ImGui::TextUnformatted(text.c_str());
}

void MenuScreen::Draw(float width, float height, bool fullscreen) {
  if (GameState::GetState() != STATE_MENU) return;
  ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
  ImGui::SetNextWindowSize(ImVec2(width, height));
  ImGui::SetNextWindowBgAlpha(0.55f);
  if (!ImGui::Begin("##menus", nullptr, kScreen)) {
    ImGui::End();
    return;
  }
  switch (static_cast<int>(GameState::GetMenuState())) {
    case MenuCursor::kTwoColumnMenu:
      Caption("Quit Tidewater?", width * 0.5f, height * 0.4f);
      if (Item("Yes, quit", 0, 0, width, height, fullscreen)) {
        Engine::RelayMessage(std::make_shared<Message>(L"Menus", MT_QUIT));
      }
      if (Item("No", 0, 1, width, height, fullscreen)) Show(MenuCursor::kFiveRowMenu);
      break;
    case MenuCursor::kSingleItemMenu:
      Caption("Match over: " + mMatch->endReason, width * 0.5f, height * 0.3f);
      if (Item("Main menu", 0, 0, width, height, fullscreen)) Show(MenuCursor::kFiveRowMenu);
      break;
    case MenuCursor::kSixRowMenu:
      DrawLevels(width, height, fullscreen);
      break;
    case MenuCursor::kLowSingleItemMenu:
      ImGui::SetCursorScreenPos(ImVec2(width * 0.2f, height * 0.2f));
      ImGui::TextUnformatted(kControls);
      if (Item("Back", 0, 0, width, height, fullscreen)) Show(MenuCursor::kFiveRowMenu);
      break;
    default:
      DrawMain(width, height, fullscreen);
      break;
  }
  ImGui::End();
}

void MenuScreen::DrawMain(float width, float height, bool fullscreen) {
  Show(MenuCursor::kFiveRowMenu);
  Caption("TIDEWATER  -  " + mMatch->Options().level, width * 0.5f, height * 0.1f);
  if (Item(MatchUnderWay() ? "Resume" : mStarted ? "Play again" : "Play", 0, 0, width, height, fullscreen)) {
    if (MatchUnderWay()) {
      GameState::SetState(STATE_PLAY);
    } else if (mStarted) {
      LoadLevel(mMatch->Options().level);
    } else {
      mStarted = true;
      GameState::SetState(STATE_PLAY);
      mMatch->Note("menu", "match started");
    }
  }
  if (Item("Restart level", 1, 0, width, height, fullscreen)) LoadLevel(mMatch->Options().level);
  if (Item("Choose level", 2, 0, width, height, fullscreen)) Show(MenuCursor::kSixRowMenu);
  if (Item("Controls", 3, 0, width, height, fullscreen)) Show(MenuCursor::kLowSingleItemMenu);
  if (Item("Quit", 4, 0, width, height, fullscreen)) Show(MenuCursor::kTwoColumnMenu);
}

void MenuScreen::DrawLevels(float width, float height, bool fullscreen) {
  const int pages = std::max(1, (static_cast<int>(mLevels.size()) + kLevelsPerPage - 1) / kLevelsPerPage);
  mPage = std::clamp(mPage, 0, pages - 1);
  Caption("Choose a level (page " + std::to_string(mPage + 1) + " of " + std::to_string(pages) + ")", width * 0.5f,
          height * 0.3f);
  if (Item("< Previous", 0, 0, width, height, fullscreen)) mPage = (mPage + pages - 1) % pages;
  if (Item("Next >", 0, 1, width, height, fullscreen)) mPage = (mPage + 1) % pages;
  if (Item("Back", 1, 0, width, height, fullscreen)) Show(MenuCursor::kFiveRowMenu);
  if (Item("Rescan", 1, 1, width, height, fullscreen)) FindLevels();
  for (int row = 0; row < kLevelsPerPage; ++row) {
    const std::size_t index = static_cast<std::size_t>(mPage * kLevelsPerPage + row);
    if (index >= mLevels.size()) break;
    ImGui::PushID(row);
    if (Item(mLevels[index].c_str(), row + 2, 0, width, height, fullscreen)) LoadLevel(mLevels[index]);
    ImGui::PopID();
  }
}
