#pragma once
#include <functional>
#include <utility>

#include "core/System.h"

// A system that only calls back at its place in the frame: the recorder and
// the player put one before and after the renderer, to see what the menus do.
class FrameHook : public System {
 public:
  explicit FrameHook(std::function<void()> onUpdate) : System(L"Replay"), mOnUpdate(std::move(onUpdate)) {}
  void Update(float /*timeStep*/) override {
    if (mOnUpdate) mOnUpdate();
  }
  int Release() override { return 0; }

 private:
  std::function<void()> mOnUpdate;
};
