#pragma once
#include <SDL.h>

#include <cstdint>

#include "platform/Handles.h"

// The graphics device handed to other systems in GraphicsDeviceMessage: on
// this platform the OpenGL context, reference counted as the message expects.
// It deletes itself when the last reference is given back.
class GlDevice final : public ID3D11Device {
 public:
  explicit GlDevice(SDL_GLContext context) : mContext(context) {}

  std::uint32_t AddRef() override { return ++mReferences; }
  std::uint32_t Release() override {
    const std::uint32_t left = --mReferences;
    if (left == 0) delete this;
    return left;
  }
  [[nodiscard]] SDL_GLContext Context() const { return mContext; }

 private:
  ~GlDevice() override = default;

  SDL_GLContext mContext;
  std::uint32_t mReferences = 1;
};
