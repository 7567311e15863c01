#pragma once
#include <cstddef>
#include <memory>
#include <ostream>
#include <string>

#include "core/System.h"
#include "render/DrawableRegistry.h"

class Match;
class Message;

// Headless renderer. It keeps what a renderer keeps (the objects that draw,
// learned from the creation and destruction notices; the resources the level
// asks to load) and, with the text view, draws the level from above every
// few game seconds: each visible object fills its footprint (its Transform's
// scale around its position) with the glyph of its model, players with
// their number. Objects lifted off the floor (open doors, flying pods) are
// drawn as '^'; warning lights hang from the ceiling and are drawn as they are.
class RendererSystem : public System {
 public:
  RendererSystem(std::shared_ptr<Match> match, bool textView, std::ostream* out);
  void Initialize() override;
  void Update(float timeStep) override;
  int Release() override;

  // The current picture, one string with a line per row.
  [[nodiscard]] std::string Draw() const;
  // A picture with its game time above it and the legend below it.
  [[nodiscard]] std::string Frame(const char* note) const;
  [[nodiscard]] static std::string Legend();
  [[nodiscard]] std::size_t DrawableCount() const { return mRegistry.Drawables().size(); }
  [[nodiscard]] std::size_t ResourceCount() const { return mRegistry.ResourceCount(); }

  static constexpr int kColumns = 72;
  static constexpr float kFrameInterval = 10.0f;

 private:
  std::shared_ptr<Match> mMatch;
  bool mTextView;
  std::ostream* mOut;
  DrawableRegistry mRegistry;
  float mSinceFrame = kFrameInterval;
};
