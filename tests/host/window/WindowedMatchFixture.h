#pragma once
#include <SDL.h>

#include <memory>
#include <sstream>
#include <vector>

#include "app/Match.h"
#include "components/Camera.h"
#include "components/Transform.h"
#include "input/SdlInputSystem.h"
#include "objects/Object.h"
#include "render/GlWindow.h"
#include "support/EngineFixture.h"

// A gamepad plugged in through SDL's virtual joysticks; it counts the rumble
// requests that reach it.
struct VirtualPad {
  int deviceIndex = -1;
  SDL_Joystick* joystick = nullptr;
  int rumbles = 0;
  Uint16 strongest = 0;
};

// The sample level in play, two players, in a small real SDL window at
// (300, 200) on the virtual desktop: the windowed input system (people on the
// seats they take) with the host's game rules and physics, run frame by frame.
class WindowedMatchFixture : public EngineFixture {
 protected:
  static constexpr int kWindowX = 300;
  static constexpr int kWindowY = 200;

  // With the renderer, the window is the game's OpenGL window and the frame
  // draws the views, the HUD and the ImGui menus as the host does.
  // Without the first frame the match is as the host starts it, as a replay of a recording made here does.
  explicit WindowedMatchFixture(bool withRenderer = false, bool firstFrame = true)
      : mWithRenderer(withRenderer), mFirstFrame(firstFrame) {}

  void SetUp() override;
  void TearDown() override;

  // One frame of the engine loop, with the systems in the host's order.
  void Frame();
  void Frames(int count) {
    for (int i = 0; i < count; ++i) Frame();
  }

  static std::shared_ptr<Object> Player(int seat);
  static Vectormath::Aos::Vector3 PositionOf(int seat);
  static Vectormath::Aos::Vector3 ForwardOf(int seat);

  // Pushes an event as the windowing system would deliver it to our window.
  void Push(SDL_Event event) const;
  void PushKey(SDL_Scancode key, bool down) const;
  void PushMouseMotion(int dx, int dy) const;

  VirtualPad& PlugPad();
  void UnplugPad(VirtualPad& pad);

  SDL_Window* window = nullptr;
  std::shared_ptr<Match> match;
  SdlInputSystem* input = nullptr;
  std::vector<SDL_Event> observed;
  std::vector<std::unique_ptr<VirtualPad>> pads;

 private:
  bool mWithRenderer;
  bool mFirstFrame;
  std::unique_ptr<GlWindow> mGlWindow;
  std::ostringstream mRendererOut;
};
