#include "render/GlRendererSystem.h"

#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <epoxy/gl.h>
#include <imgui.h>

#include "app/HostListener.h"
#include "app/Match.h"
#include "components/Camera.h"
#include "components/Collider.h"
#include "components/Debug.h"
#include "components/RigidBody.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "core/RenderMessages.h"
#include "core/WindowMessages.h"
#include "input/Controller.h"
#include "objects/Object.h"
#include "render/GlDevice.h"
#include "render/GlWindow.h"
#include "render/Screenshot.h"
#include "render/ViewLayout.h"

using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

constexpr MessageType kOwnTypes[] = {MT_REGISTER_CAMERA, MT_SET_BACKGROUND_COLOR, MT_DRAW_IMMEDIATE_LINE, MT_DEBUG,
                                     MT_VIEWPORT_REQUEST};

Callable ListenerFor(MessageType type, std::function<void(const std::shared_ptr<Message>&)> handler) {
  return Callable(HostListenerID(HostListenerOwner::Renderer, static_cast<std::uint32_t>(type)), std::move(handler));
}

template <typename Handler>
void ForEachListenedType(Handler&& handler) {
  for (const MessageType type : DrawableRegistry::kTypes) handler(type);
  for (const MessageType type : kOwnTypes) handler(type);
}

}  // namespace

GlRendererSystem::GlRendererSystem(std::shared_ptr<Match> match, GlWindow& window, Settings settings, std::ostream& out,
                                   std::ostream& err)
    : System(L"Renderer"),
      mMatch(std::move(match)),
      mWindow(window),
      mSettings(std::move(settings)),
      mOut(out),
      mErr(err),
      mHud(mMatch),
      mMenu(mMatch) {}

GlRendererSystem::~GlRendererSystem() = default;

void GlRendererSystem::Initialize() {
  ForEachListenedType([this](MessageType type) {
    Engine::RegisterListener(
        type, ListenerFor(type, [this](const std::shared_ptr<Message>& message) { OnMessage(message); }));
  });
  SDL_GL_MakeCurrent(mWindow.Handle(), mWindow.Context());
  mSceneView = std::make_unique<SceneView>();
  if (!mSceneView->IsValid()) {
    mErr << "tidewater-host: the renderer's shaders do not build: " << mSceneView->Error() << '\n';
    mFailed = true;
    Engine::RelayMessage(std::make_shared<Message>(L"Renderer", MT_QUIT));
    return;
  }
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  ImGui::StyleColorsDark();
  ImGui_ImplSDL2_InitForOpenGL(mWindow.Handle(), mWindow.Context());
  ImGui_ImplOpenGL3_Init("#version 330 core");
  mImGuiReady = true;

  mDevice = new GlDevice(mWindow.Context());
  auto device = std::make_shared<GraphicsDeviceMessage>(L"Renderer");
  ID3D11Device* handle = mDevice;
  device->SetDevice(handle);
  const GlWindow::Size size = mWindow.DrawableSize();
  device->SetWidth(size.width);
  device->SetHeight(size.height);
  Engine::RelayMessage(device);
  // Handles are opaque on this platform: the window handle is the SDL window.
  Engine::RelayMessage(std::make_shared<WindowMessage>(L"Renderer", reinterpret_cast<HWND>(mWindow.Handle()), nullptr));
  Engine::RelayMessage(std::make_shared<ImGuiReferenceMessage>(L"Renderer", &io));
}

int GlRendererSystem::Release() {
  ForEachListenedType([](MessageType type) { Engine::UnregisterListener(type, ListenerFor(type, nullptr)); });
  if (mImGuiReady) {
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    mImGuiReady = false;
  }
  mSceneView.reset();
  if (mDevice != nullptr) mDevice->Release();
  mDevice = nullptr;
  mRegistry.Clear();
  mCameras.clear();
  mViews.clear();
  const std::string report = mFrameTimes.Report();
  if (!report.empty()) mOut << "Window frames: " << report << '\n';
  return mFailed ? -1 : 0;
}

void GlRendererSystem::OnEvent(const SDL_Event& event) {
  if (mImGuiReady) ImGui_ImplSDL2_ProcessEvent(&event);
  if (event.type != SDL_KEYDOWN || event.key.repeat != 0) return;
  if (event.key.keysym.sym == SDLK_ESCAPE) mMenu.Escape();
  if (event.key.keysym.sym == SDLK_F3) mDebugDrawing = !mDebugDrawing;
}

void GlRendererSystem::OnMessage(const std::shared_ptr<Message>& message) {
  mRegistry.Hear(*message);
  switch (message->GetMessageId()) {
    case MT_REGISTER_CAMERA: {
      const auto& camera = static_cast<const RegisterCameraMessage&>(*message);
      mCameras[camera.GetPlayerNumber()] = camera.GetCamerPTR();
      break;
    }
    case MT_SET_BACKGROUND_COLOR: {
      const Vector3 color = static_cast<const SetBackgroundColorMessage&>(*message).GetColor();
      mBackground = RenderScene::NormalizedColor(Vector4(color, 1.0f));
      break;
    }
    case MT_DRAW_IMMEDIATE_LINE: {
      const auto& line = static_cast<const DrawImmediateLineMessage&>(*message);
      const Vector4 color = RenderScene::NormalizedColor(line.GetColor());
      for (const Vector3& p : {line.GetP0(), line.GetP1()}) {
        mImmediateLines.push_back(
            {{p.getX(), p.getY(), p.getZ()}, {color.getX(), color.getY(), color.getZ(), color.getW()}});
      }
      break;
    }
    case MT_DEBUG: {
      const auto& debug = static_cast<const DebugMessage&>(*message);
      mDebugColors[debug.GetObjID()] = {debug.GetNormalColor(), debug.GetStaticColor(), debug.GetGhostColor(),
                                        debug.GetStaticGhostColor()};
      break;
    }
    case MT_VIEWPORT_REQUEST: {
      const unsigned int player = static_cast<const ViewportRequestMessage&>(*message).GetPlayerNumber();
      for (const View& view : mViews) {
        if (view.player != player) continue;
        Engine::RelayMessage(std::make_shared<ViewportResponseMessage>(
            L"Renderer", player, static_cast<float>(view.rect.width), static_cast<float>(view.rect.height),
            static_cast<float>(view.rect.x), static_cast<float>(mHeight - view.rect.y - view.rect.height)));
      }
      break;
    }
    case MT_CLEAR_RESOURCES:
      mDebugColors.clear();
      break;
    default:
      break;
  }
}

void GlRendererSystem::CollectViews(int width, int height) {
  mViews.clear();
  for (auto it = mCameras.begin(); it != mCameras.end();) {
    auto camera = it->second.lock();
    const auto owner = camera ? camera->GetParent().lock() : nullptr;
    if (!owner) {
      it = mCameras.erase(it);
      continue;
    }
    mViews.push_back({it->first, camera, owner->GetID(), {}});
    ++it;
  }
  const auto rects = ViewLayout::Split(static_cast<int>(mViews.size()), width, height);
  for (std::size_t i = 0; i < mViews.size() && i < rects.size(); ++i) {
    View& view = mViews[i];
    view.rect = rects[i];
    if (view.camera->GetCameraWidth() != static_cast<std::uint32_t>(view.rect.width) ||
        view.camera->GetCameraHeight() != static_cast<std::uint32_t>(view.rect.height)) {
      view.camera->SetCameraWidth(static_cast<std::uint32_t>(view.rect.width));
      view.camera->SetCameraHeight(static_cast<std::uint32_t>(view.rect.height));
    }
    // The projection is rebuilt from the camera every frame.
    view.camera->SetDidChange(false);
  }
  mViews.resize(std::min(mViews.size(), rects.size()));
}

void GlRendererSystem::AddDebugShapes() {
  mLines = mImmediateLines;
  if (!mDebugDrawing) return;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    const auto collider = object->GetComponentAs<Collider>(CT_Collider);
    if (!collider) continue;
    const auto body = object->GetComponentAs<RigidBody>(CT_RigidBody);
    const bool isStatic = !body || body->IsStatic();
    const int kind = (collider->IsGhost() ? 2 : 0) + (isStatic ? 1 : 0);
    Vector4 color = kind == 0   ? Vector4(0, 1, 0, 1)
                    : kind == 1 ? Vector4(1, 0, 0, 1)
                    : kind == 2 ? Vector4(0, 0, 1, 1)
                                : Vector4(1, 0, 1, 1);
    if (const auto found = mDebugColors.find(id); found != mDebugColors.end()) {
      color = found->second[static_cast<std::size_t>(kind)];
    } else if (const auto debug = object->GetComponentAs<Debug>(CT_Debug)) {
      const Vector4 colors[4] = {debug->GetNormalColor(), debug->GetStaticColor(), debug->GetGhostColor(),
                                 debug->GetStaticGhostColor()};
      if (colors[kind].getW() > 0.0f) color = colors[kind];
    }
    MeshLibrary::AddBoxEdges(collider->GetAabbMin(), collider->GetAabbMax(), RenderScene::NormalizedColor(color),
                             mLines);
  }
}

void GlRendererSystem::Update(float /*timeStep*/) {
  if (mFailed || !mSceneView) return;
  mFrameTimes.Tick();
  const GlWindow::Size size = mWindow.DrawableSize();
  if (size.width != mWidth || size.height != mHeight) {
    mWidth = size.width;
    mHeight = size.height;
    Engine::RelayMessage(std::make_shared<WindowSizeMessage>(L"Renderer", static_cast<unsigned int>(mWidth),
                                                             static_cast<unsigned int>(mHeight)));
  }
  Controller::isFullscreened = mWindow.IsFullscreen();

  mScene.Gather(mRegistry);
  AddDebugShapes();
  CollectViews(mWidth, mHeight);

  glViewport(0, 0, mWidth, mHeight);
  glDepthMask(GL_TRUE);
  glClearColor(mBackground.getX(), mBackground.getY(), mBackground.getZ(), 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (const View& view : mViews) mSceneView->Draw(mScene, *view.camera, view.viewer, view.rect, mLines);
  mImmediateLines.clear();

  DrawInterface(mWidth, mHeight);
  EndFrame(mWidth, mHeight);
}

void GlRendererSystem::DrawInterface(int width, int height) {
  ImGui_ImplOpenGL3_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGuiIO& io = ImGui::GetIO();
  // Without keyboard or mouse focus the back end leaves the mouse unknown;
  // the cursor a gamepad places is still in the window.
  if (!ImGui::IsMousePosValid()) {
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
  }
  ImGui::NewFrame();
  // The HUD works in window coordinates, the views in pixels.
  const float scaleX = io.DisplaySize.x / static_cast<float>(std::max(width, 1));
  const float scaleY = io.DisplaySize.y / static_cast<float>(std::max(height, 1));
  // The menus cover the HUD, which would otherwise sit on top of them.
  const bool inMenus = GameState::GetState() == STATE_MENU;
  for (const View& view : mViews) {
    if (inMenus) break;
    const float top = static_cast<float>(height - view.rect.y - view.rect.height);
    mHud.DrawPlayer(view.player, view.viewer,
                    {static_cast<float>(view.rect.x) * scaleX, top * scaleY,
                     static_cast<float>(view.rect.width) * scaleX, static_cast<float>(view.rect.height) * scaleY});
  }
  if (!inMenus) mHud.DrawFloodWarnings(io.DisplaySize.x);
  mMenu.Draw(io.DisplaySize.x, io.DisplaySize.y, Controller::isFullscreened);
  ImGui::Render();
  glViewport(0, 0, width, height);
  ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

void GlRendererSystem::EndFrame(int width, int height) {
  ++mFrames;
  // A match that ends before the frame asked for is pictured on its last frame.
  const bool last = mSettings.frames > 0 && mFrames == mSettings.frames;
  const bool endedEarly = !mSettings.screenshot.empty() && !mMatch->endReason.empty() && mFrames < mSettings.frames;
  if (last || endedEarly) {
    mSettings.frames = mFrames;
    if (!mSettings.screenshot.empty()) {
      if (Screenshot::Write(mSettings.screenshot, width, height)) {
        mOut << "Screenshot: " << mSettings.screenshot << " (" << width << "x" << height << ", frame " << mFrames
             << ")\n";
      } else {
        mErr << "tidewater-host: --screenshot: cannot write " << mSettings.screenshot << '\n';
        mFailed = true;
      }
    }
    Engine::RelayMessage(std::make_shared<Message>(L"Renderer", MT_QUIT));
  }
  mWindow.Swap();
}
