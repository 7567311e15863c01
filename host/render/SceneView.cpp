#include "render/SceneView.h"

#include <algorithm>
#include <cmath>

#include "components/Camera.h"

using Vectormath::Aos::Matrix3;
using Vectormath::Aos::Matrix4;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

constexpr const char* kLitVertex = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
uniform mat4 uWorld;
uniform mat4 uViewProjection;
uniform mat3 uNormalMatrix;
out vec3 vWorld;
out vec3 vNormal;
void main() {
  vec4 world = uWorld * vec4(aPosition, 1.0);
  vWorld = world.xyz;
  vNormal = uNormalMatrix * aNormal;
  gl_Position = uViewProjection * world;
}
)";

// Point and spot lights with a linear reach to their range, shaped by the
// falloff; the ambient term keeps unlit rooms readable.
constexpr const char* kLitFragment = R"(#version 330 core
in vec3 vWorld;
in vec3 vNormal;
uniform vec4 uColor;
uniform bool uPatterned;
uniform float uAmbient;
uniform int uLightCount;
uniform vec4 uLightPosition[8];
uniform vec4 uLightColor[8];
uniform vec4 uLightDirection[8];
uniform vec2 uLightCone[8];
out vec4 fragColor;
void main() {
  vec3 n = normalize(gl_FrontFacing ? vNormal : -vNormal);
  vec3 light = vec3(uAmbient);
  for (int i = 0; i < uLightCount; ++i) {
    vec3 toLight = uLightPosition[i].xyz - vWorld;
    float d = length(toLight);
    if (d >= uLightColor[i].w) continue;
    vec3 l = toLight / max(d, 1e-4);
    float reach = 1.0 - d / uLightColor[i].w;
    float attenuation = uLightDirection[i].w == 1.0 ? reach : pow(reach, uLightDirection[i].w);
    if (uLightPosition[i].w > 0.5) {
      attenuation *= smoothstep(uLightCone[i].y, uLightCone[i].x, dot(-l, uLightDirection[i].xyz));
    }
    light += uLightColor[i].rgb * attenuation * max(dot(n, l), 0.0);
  }
  vec3 base = uColor.rgb;
  if (uPatterned) {
    // Deck plates: a dark seam every two units across the surface.
    vec3 a = abs(n);
    vec2 p = a.y > 0.5 ? vWorld.xz : (a.x > 0.5 ? vWorld.zy : vWorld.xy);
    vec2 seam = abs(fract(p * 0.5) - 0.5);
    if (min(seam.x, seam.y) > 0.48) base *= 0.7;
  }
  fragColor = vec4(base * min(light, vec3(1.5)), uColor.a);
}
)";

constexpr const char* kFlatVertex = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColor;
uniform mat4 uViewProjection;
out vec4 vColor;
void main() {
  vColor = aColor;
  gl_Position = uViewProjection * vec4(aPosition, 1.0);
}
)";

constexpr const char* kFlatFragment = R"(#version 330 core
in vec4 vColor;
out vec4 fragColor;
void main() { fragColor = vColor; }
)";

constexpr float kAmbient = 0.45f;
constexpr float kUnderwaterOpacity = 0.7f;
// The camera's own near plane (a centimetre) wastes the depth buffer on
// the space inside the player's head.
constexpr float kMinNear = 0.05f;

// Rooms hold everything else, so they count as far away as their walls.
float Distance(const RenderScene::Item& item, const Vector3& eye) {
  const float distance = length(item.position - eye);
  return item.model == MeshLibrary::Model::Room ? distance + 1000.0f : distance;
}

bool Contains(const RenderScene::Item& item, const Vector3& point) {
  const Vector4 local = inverse(item.world) * Vector4(point, 1.0f);
  return std::abs(local.getX()) <= 0.5f && std::abs(local.getY()) <= 0.5f && std::abs(local.getZ()) <= 0.5f;
}

Matrix4 Transposed(const Matrix4& m) {
  Matrix4 t;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) t.setElem(column, row, m.getElem(row, column));
  }
  return t;
}

}  // namespace

SceneView::SceneView() : mLit(kLitVertex, kLitFragment), mFlat(kFlatVertex, kFlatFragment) {
  if (!IsValid()) return;
  mUniforms = {mLit.Uniform("uWorld"),          mLit.Uniform("uViewProjection"), mLit.Uniform("uNormalMatrix"),
               mLit.Uniform("uColor"),          mLit.Uniform("uPatterned"),      mLit.Uniform("uAmbient"),
               mLit.Uniform("uLightCount"),     mLit.Uniform("uLightPosition"),  mLit.Uniform("uLightColor"),
               mLit.Uniform("uLightDirection"), mLit.Uniform("uLightCone")};
  mFlatViewProjection = mFlat.Uniform("uViewProjection");
}

Matrix4 SceneView::Projection(const Camera& camera, float aspect) {
  const float nearPlane = std::max(camera.GetCameraNear(), kMinNear);
  const float farPlane = std::max(camera.GetCameraFar(), nearPlane * 2.0f);
  const float fov = std::clamp(camera.GetCameraFOV(), 0.1f, 3.0f);
  return Matrix4::perspective(fov, std::max(aspect, 0.01f), nearPlane, farPlane);
}

void SceneView::Draw(const RenderScene& scene, const Camera& camera, ObjectID viewer, Rect rect,
                     const std::vector<MeshLibrary::LineVertex>& lines) {
  if (rect.width <= 0 || rect.height <= 0) return;
  glViewport(rect.x, rect.y, rect.width, rect.height);
  // The camera lays its matrix out for row vectors; the shaders take column vectors.
  const Matrix4 rowView = camera.GetCameraTransformation();
  const Matrix4 view = Transposed(rowView);
  const Matrix4 viewProjection =
      Projection(camera, static_cast<float>(rect.width) / static_cast<float>(rect.height)) * view;
  const Matrix4 translation = camera.GetInverseTranslationalTransformation();
  const Vector3 eye(-translation.getElem(0, 3), -translation.getElem(1, 3), -translation.getElem(2, 3));

  mLit.Use();
  ShaderProgram::SetMatrix(mUniforms.viewProjection, viewProjection);
  glUniform1f(mUniforms.ambient, kAmbient);
  UseLights(scene, eye);

  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glEnable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  // Near to far, so that the depth test spares the shading of hidden surfaces.
  mSorted.clear();
  for (const RenderScene::Item& item : scene.opaque) {
    if (item.id != viewer) mSorted.push_back(&item);
  }
  std::sort(mSorted.begin(), mSorted.end(), [&](const RenderScene::Item* a, const RenderScene::Item* b) {
    return Distance(*a, eye) < Distance(*b, eye);
  });
  for (const RenderScene::Item* item : mSorted) DrawItem(*item);

  // See-through objects: both faces (water is seen from inside too), far to near.
  mSorted.clear();
  for (const RenderScene::Item& item : scene.transparent) {
    if (item.id != viewer) mSorted.push_back(&item);
  }
  std::sort(mSorted.begin(), mSorted.end(), [&](const RenderScene::Item* a, const RenderScene::Item* b) {
    return lengthSqr(a->position - eye) > lengthSqr(b->position - eye);
  });
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  for (const RenderScene::Item* item : mSorted) DrawItem(*item);
  glDepthMask(GL_TRUE);

  // An eye inside see-through volumes (under the flood water) sees
  // everything through them.
  mTint.clear();
  for (const RenderScene::Item* item : mSorted) {
    if (!Contains(*item, eye)) continue;
    const Vector4& c = item->color;
    for (const float corner : {0.0f, 1.0f, 2.0f, 0.0f, 2.0f, 3.0f}) {
      const int i = static_cast<int>(corner);
      const float x = (i == 1 || i == 2) ? 1.0f : -1.0f;
      const float y = i >= 2 ? 1.0f : -1.0f;
      mTint.push_back({{x, y, 0.0f}, {c.getX(), c.getY(), c.getZ(), c.getW() * kUnderwaterOpacity}});
    }
  }
  if (!mTint.empty()) {
    mFlat.Use();
    ShaderProgram::SetMatrix(mFlatViewProjection, Matrix4::identity());
    glDisable(GL_DEPTH_TEST);
    mMeshes.DrawColored(mTint, GL_TRIANGLES);
    glEnable(GL_DEPTH_TEST);
  }

  if (!lines.empty()) {
    mFlat.Use();
    ShaderProgram::SetMatrix(mFlatViewProjection, viewProjection);
    mMeshes.DrawLines(lines);
  }
  glDisable(GL_BLEND);
  glBindVertexArray(0);
}

void SceneView::UseLights(const RenderScene& scene, const Vector3& eye) {
  mNearest.clear();
  for (const RenderScene::LightSource& light : scene.lights) mNearest.push_back(&light);
  auto reach = [&](const RenderScene::LightSource* light) { return length(light->position - eye) - light->range; };
  if (mNearest.size() > static_cast<std::size_t>(kMaxLights)) {
    std::partial_sort(mNearest.begin(), mNearest.begin() + kMaxLights, mNearest.end(),
                      [&](const auto* a, const auto* b) { return reach(a) < reach(b); });
    mNearest.resize(kMaxLights);
  }
  float position[kMaxLights * 4] = {};
  float color[kMaxLights * 4] = {};
  float direction[kMaxLights * 4] = {};
  float cone[kMaxLights * 2] = {};
  for (std::size_t i = 0; i < mNearest.size(); ++i) {
    const RenderScene::LightSource& light = *mNearest[i];
    const float p[4] = {light.position.getX(), light.position.getY(), light.position.getZ(),
                        static_cast<float>(light.type)};
    const float c[4] = {light.color.getX(), light.color.getY(), light.color.getZ(), light.range};
    const float d[4] = {light.direction.getX(), light.direction.getY(), light.direction.getZ(), light.falloff};
    std::copy(p, p + 4, position + i * 4);
    std::copy(c, c + 4, color + i * 4);
    std::copy(d, d + 4, direction + i * 4);
    cone[i * 2] = light.cosInner;
    cone[i * 2 + 1] = light.cosOuter;
  }
  glUniform1i(mUniforms.lightCount, static_cast<GLint>(mNearest.size()));
  glUniform4fv(mUniforms.lightPosition, kMaxLights, position);
  glUniform4fv(mUniforms.lightColor, kMaxLights, color);
  glUniform4fv(mUniforms.lightDirection, kMaxLights, direction);
  glUniform2fv(mUniforms.lightCone, kMaxLights, cone);
}

void SceneView::DrawItem(const RenderScene::Item& item) {
  ShaderProgram::SetMatrix(mUniforms.world, item.world);
  const Matrix3 normalMatrix = transpose(inverse(item.world.getUpper3x3()));
  float normal[9];
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) normal[column * 3 + row] = normalMatrix.getElem(column, row);
  }
  glUniformMatrix3fv(mUniforms.normalMatrix, 1, GL_FALSE, normal);
  glUniform4f(mUniforms.color, item.color.getX(), item.color.getY(), item.color.getZ(), item.color.getW());
  glUniform1i(mUniforms.patterned, item.patterned ? 1 : 0);
  mMeshes.Draw(item.model);
}
