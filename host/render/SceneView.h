#pragma once
#include <memory>
#include <vector>

#include "objects/ComponentType.h"
#include "render/MeshLibrary.h"
#include "render/RenderScene.h"
#include "render/ShaderProgram.h"

class Camera;

// Draws the scene as one player's camera sees it into one rectangle of the
// window: opaque objects, then the see-through ones (flood water, glass) from
// back to front, lit by the lights nearest to the eye, then the lines.
class SceneView {
 public:
  struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };

  // At most this many lights reach one view: the ones nearest to the eye.
  static constexpr int kMaxLights = 8;

  SceneView();
  [[nodiscard]] bool IsValid() const { return mLit.IsValid() && mFlat.IsValid(); }
  [[nodiscard]] const std::string& Error() const { return mLit.IsValid() ? mFlat.Error() : mLit.Error(); }

  // `viewer` is the object whose body the view leaves out (its own player).
  // The rectangle is in OpenGL's window coordinates (origin bottom left).
  void Draw(const RenderScene& scene, const Camera& camera, ObjectID viewer, Rect rect,
            const std::vector<MeshLibrary::LineVertex>& lines);

  // The projection of a camera for a view of this aspect, for column vectors.
  [[nodiscard]] static Vectormath::Aos::Matrix4 Projection(const Camera& camera, float aspect);

 private:
  void UseLights(const RenderScene& scene, const Vectormath::Aos::Vector3& eye);
  void DrawItem(const RenderScene::Item& item);

  // Uniform locations of the lit program, looked up once.
  struct LitUniforms {
    GLint world, viewProjection, normalMatrix, color, patterned, ambient;
    GLint lightCount, lightPosition, lightColor, lightDirection, lightCone;
  };

  ShaderProgram mLit;
  ShaderProgram mFlat;
  LitUniforms mUniforms{};
  GLint mFlatViewProjection = -1;
  MeshLibrary mMeshes;
  std::vector<const RenderScene::LightSource*> mNearest;
  std::vector<const RenderScene::Item*> mSorted;
  std::vector<MeshLibrary::LineVertex> mTint;
};
