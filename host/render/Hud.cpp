#include "render/Hud.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/Match.h"
#include "core/Engine.h"
#include "gameplay/Gun.h"
#include "gameplay/PlayerStats.h"
#include "gameplay/RoomComponent.h"
#include "objects/Object.h"

namespace {

constexpr ImGuiWindowFlags kOverlay = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoInputs |
                                      ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing |
                                      ImGuiWindowFlags_NoNav | ImGuiWindowFlags_AlwaysAutoResize;

void Bar(const char* label, float fraction, const ImVec4& color, const char* overlay) {
  ImGui::TextUnformatted(label);
  ImGui::SameLine(60.0f);
  ImGui::PushStyleColor(ImGuiCol_PlotHistogram, color);
  ImGui::ProgressBar(std::clamp(fraction, 0.0f, 1.0f), ImVec2(120.0f, 0.0f), overlay);
  ImGui::PopStyleColor();
}

}  // namespace

void Hud::DrawPlayer(unsigned int playerNumber, ObjectID player, Area area) const {
  const auto object = Engine::mFactory.GetObjectWithID(player).lock();
  if (!object || playerNumber >= mMatch->Players().size()) return;
  const Match::Player& record = mMatch->Players()[playerNumber];
  char name[32];
  std::snprintf(name, sizeof name, "##hud%u", playerNumber);
  ImGui::SetNextWindowPos(ImVec2(area.x + 8.0f, area.y + 8.0f));
  ImGui::SetNextWindowBgAlpha(0.35f);
  if (ImGui::Begin(name, nullptr, kOverlay)) {
    ImGui::Text("%s%s", record.name.c_str(), record.human ? "" : " (bot)");
    if (const auto stats = object->GetComponentAs<PlayerStats>(CT_PlayerStats)) {
      Bar("Sprint", stats->GetSprintLevel(), ImVec4(0.2f, 0.8f, 0.3f, 1.0f), stats->IsSprinting() ? "sprinting" : "");
      ImGui::Text("Flare: %s   Key cards: %d   Power cells: %d", stats->HasFlare() ? "ready" : "recharging",
                  stats->GetKeyCards(), stats->GetPowerCells());
    }
    if (const auto gun = object->GetComponentAs<Gun>(CT_Gun)) {
      const bool rifle = gun->GetAmmoType() == Gun::RIFLE;
      const float heat = rifle ? gun->GetRifleHeatLevel() : gun->GetSpreadHeatLevel();
      const bool overheated = rifle ? gun->IsRifleOverheated() : gun->IsSpreadOverheated();
      const float limit = gun->GetMaxHeatLevel() > 0.0f ? gun->GetMaxHeatLevel() : 100.0f;
      Bar(rifle ? "Rifle" : "Spread", heat / limit, ImVec4(0.9f, 0.4f, 0.1f, 1.0f), overheated ? "OVERHEATED" : "");
    }
  }
  ImGui::End();

  const char* banner = record.fate == Match::Fate::Drowned   ? "DROWNED"
                       : record.fate == Match::Fate::Escaped ? "ESCAPED"
                                                             : nullptr;
  if (banner == nullptr) return;
  std::snprintf(name, sizeof name, "##fate%u", playerNumber);
  ImGui::SetNextWindowPos(ImVec2(area.x + area.width * 0.5f, area.y + area.height * 0.5f), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowBgAlpha(0.6f);
  if (ImGui::Begin(name, nullptr, kOverlay)) {
    ImGui::SetWindowFontScale(2.0f);
    ImGui::TextColored(
        record.fate == Match::Fate::Drowned ? ImVec4(0.4f, 0.6f, 1.0f, 1.0f) : ImVec4(0.4f, 1.0f, 0.5f, 1.0f), "%s",
        banner);
  }
  ImGui::End();
}

void Hud::DrawFloodWarnings(float windowWidth) const {
  std::string warnings;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    const auto room = object->GetComponentAs<RoomComponent>(CT_RoomComponent);
    if (!room || room->GetFillLevel() >= 1.0f) continue;
    if (room->IsRoomFilling()) {
      warnings += object->GetName() + " is flooding!\n";
    } else if (room->GetWarningLightID() != RoomComponent::kNoObject) {
      warnings += "Flood warning: " + object->GetName() + "\n";
    }
  }
  if (warnings.empty()) return;
  warnings.pop_back();
  ImGui::SetNextWindowPos(ImVec2(windowWidth * 0.5f, 8.0f), ImGuiCond_Always, ImVec2(0.5f, 0.0f));
  ImGui::SetNextWindowBgAlpha(0.5f);
  if (ImGui::Begin("##floods", nullptr, kOverlay)) {
    ImGui::TextColored(ImVec4(1.0f, 0.45f, 0.2f, 1.0f), "%s", warnings.c_str());
  }
  ImGui::End();
}
