#pragma once
#include <SDL.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/System.h"
#include "render/DrawableRegistry.h"
#include "render/FrameTimes.h"
#include "render/Hud.h"
#include "render/MenuScreen.h"
#include "render/MeshLibrary.h"
#include "render/RenderScene.h"
#include "render/SceneView.h"
#include "vectormath/vectormath_aos.h"

class Camera;
class GlDevice;
class GlWindow;
class Match;
class Message;

// The windowed renderer: every frame it draws one view per registered camera
// (split screen), the HUD and, in the menus, the menu screen, then shows the
// picture. With a screenshot file it writes the window's pixels after the
// given number of frames and ends the program.
class GlRendererSystem : public System {
 public:
  struct Settings {
    std::string screenshot;
    // Frames to run before the screenshot and the end; 0 runs until quit.
    int frames = 0;
  };

  GlRendererSystem(std::shared_ptr<Match> match, GlWindow& window, Settings settings, std::ostream& out,
                   std::ostream& err);
  ~GlRendererSystem() override;
  void Initialize() override;
  void Update(float timeStep) override;
  int Release() override;

  // Every SDL event of the window, from the input system: Dear ImGui hears
  // them all, Esc works the menus, F3 toggles the debug shapes.
  void OnEvent(const SDL_Event& event);

 private:
  struct View {
    unsigned int player = 0;
    std::shared_ptr<Camera> camera;
    ObjectID viewer = 0;
    SceneView::Rect rect;
  };

  void OnMessage(const std::shared_ptr<Message>& message);
  void CollectViews(int width, int height);
  void AddDebugShapes();
  void DrawInterface(int width, int height);
  void EndFrame(int width, int height);

  std::shared_ptr<Match> mMatch;
  GlWindow& mWindow;
  Settings mSettings;
  std::ostream& mOut;
  std::ostream& mErr;
  DrawableRegistry mRegistry;
  RenderScene mScene;
  std::unique_ptr<SceneView> mSceneView;
  Hud mHud;
  MenuScreen mMenu;
  FrameTimes mFrameTimes;
  GlDevice* mDevice = nullptr;
  bool mImGuiReady = false;
  bool mFailed = false;
  bool mDebugDrawing = false;
  int mFrames = 0;
  int mWidth = 0;
  int mHeight = 0;
  Vectormath::Aos::Vector4 mBackground{0.02f, 0.03f, 0.05f, 1.0f};
  std::map<unsigned int, std::weak_ptr<Camera>> mCameras;
  std::vector<View> mViews;
  std::vector<MeshLibrary::LineVertex> mLines;
  std::vector<MeshLibrary::LineVertex> mImmediateLines;
  // Debug colours sent for single objects: normal, static, ghost, static ghost.
  std::map<ObjectID, std::array<Vectormath::Aos::Vector4, 4>> mDebugColors;
};
