#include "render/RendererSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

#include "app/HostListener.h"
#include "app/Match.h"
#include "components/Renderable.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

struct Glyph {
  const char* model;
  char glyph;
  int layer;
};

// Later layers draw over earlier ones.
constexpr Glyph kGlyphs[] = {
    {"room", '.', 0},    {"floodwater", '~', 1}, {"plate", '_', 2},     {"wall", '#', 3},    {"door", '+', 3},
    {"console", '=', 3}, {"pod", 'P', 4},        {"powercell", 'c', 4}, {"keycard", 'k', 4}, {"warninglight", '!', 5},
    {"flare", 'f', 5},   {"bullet", '*', 6},     {"pellet", '*', 6},    {"player", '@', 7},
};

Glyph GlyphOf(const std::string& model) {
  for (const Glyph& glyph : kGlyphs) {
    if (model == glyph.model) return glyph;
  }
  return {"", '?', 4};
}

Callable ListenerFor(MessageType type, std::function<void(const std::shared_ptr<Message>&)> handler) {
  return Callable(HostListenerID(HostListenerOwner::Renderer, static_cast<std::uint32_t>(type)), std::move(handler));
}

}  // namespace

RendererSystem::RendererSystem(std::shared_ptr<Match> match, bool textView, std::ostream* out)
    : System(L"Renderer"), mMatch(std::move(match)), mTextView(textView), mOut(out) {}

void RendererSystem::Initialize() {
  for (const MessageType type : DrawableRegistry::kTypes) {
    Engine::RegisterListener(
        type, ListenerFor(type, [this](const std::shared_ptr<Message>& message) { mRegistry.Hear(*message); }));
  }
}

int RendererSystem::Release() {
  for (const MessageType type : DrawableRegistry::kTypes) Engine::UnregisterListener(type, ListenerFor(type, nullptr));
  // The picture the match ended on; a level refused before play shows none.
  if (mTextView && mOut != nullptr && !mMatch->endReason.empty()) *mOut << Frame(" (end)");
  mRegistry.Clear();
  return 0;
}

void RendererSystem::Update(float timeStep) {
  if (!mTextView || mOut == nullptr || GameState::GetState() != STATE_PLAY) return;
  mSinceFrame += timeStep;
  if (mSinceFrame < kFrameInterval) return;
  mSinceFrame = 0.0f;
  mMatch->Log().ClearStatus();
  *mOut << Frame("");
  mOut->flush();
}

std::string RendererSystem::Frame(const char* note) const {
  char title[64];
  std::snprintf(title, sizeof title, "-- %.1f s%s --\n", static_cast<double>(mMatch->Time()), note);
  return title + Draw() + Legend();
}

std::string RendererSystem::Legend() {
  // Seen from above: north (+z) is up the page, east (+x) to the right.
  std::string legend = "   north is up;";
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.glyph == '@') continue;
    legend += ' ';
    legend += glyph.glyph;
    legend += ' ';
    legend += glyph.model;
  }
  return legend + " ^ lifted (open door, launched pod) 1-4 players\n";
}

std::string RendererSystem::Draw() const {
  struct Item {
    int layer;
    char glyph;
    Vector3 min;
    Vector3 max;
  };
  std::vector<Item> items;
  float minX = std::numeric_limits<float>::max();
  float minZ = minX;
  float maxX = -minX;
  float maxZ = -minX;
  for (const auto& [id, weak] : mRegistry.Drawables()) {
    const auto object = weak.lock();
    if (!object) continue;
    const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable);
    const auto transform = object->GetComponentAs<Transform>(CT_Transform);
    if (!renderable || !transform || !renderable->GetVisibility()) continue;
    Glyph glyph = GlyphOf(renderable->GetModel());
    const std::string& name = object->GetName();
    if (name.size() == 7 && name.compare(0, 6, "Player") == 0) glyph.glyph = name[6];
    const Vector3 position = transform->GetPosition();
    const Vector3 half = transform->GetScale() * 0.5f;
    // Lifted clear of the floor by more than its own height.
    if (position.getY() - half.getY() > 2.0f * half.getY() + 0.5f && (glyph.layer == 3 || glyph.layer == 4))
      glyph.glyph = '^';
    items.push_back({glyph.layer, glyph.glyph, position - half, position + half});
    if (position.getY() < -100.0f) continue;  // benched players do not stretch the picture
    minX = std::min(minX, items.back().min.getX());
    minZ = std::min(minZ, items.back().min.getZ());
    maxX = std::max(maxX, items.back().max.getX());
    maxZ = std::max(maxZ, items.back().max.getZ());
  }
  if (items.empty() || maxX <= minX || maxZ <= minZ) return "(nothing to draw)\n";
  // Character cells are about twice as tall as wide.
  const float cell = (maxX - minX) / static_cast<float>(kColumns);
  const int rows = std::max(1, static_cast<int>(std::ceil((maxZ - minZ) / (2.0f * cell))));
  std::vector<std::string> picture(static_cast<std::size_t>(rows), std::string(kColumns, ' '));
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.layer < b.layer; });
  auto column = [&](float x) { return std::clamp(static_cast<int>((x - minX) / cell), 0, kColumns - 1); };
  // Rows run from the far side (high z) down to the near side.
  auto row = [&](float z) { return std::clamp(static_cast<int>((maxZ - z) / (2.0f * cell)), 0, rows - 1); };
  for (const Item& item : items) {
    if (item.max.getX() < minX || item.min.getX() > maxX || item.max.getZ() < minZ || item.min.getZ() > maxZ) continue;
    const int c0 = column(item.min.getX());
    const int c1 = std::max(c0, column(item.max.getX() - 1e-3f));
    const int r0 = row(item.max.getZ() - 1e-3f);
    const int r1 = std::max(r0, row(item.min.getZ()));
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) picture[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = item.glyph;
    }
  }
  std::string text;
  for (std::string& line : picture) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line;
    text += '\n';
  }
  return text;
}
