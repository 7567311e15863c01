#include "render/RenderScene.h"

#include <algorithm>
#include <cmath>

#include "components/Light.h"
#include "components/Renderable.h"
#include "components/Transform.h"
#include "objects/Object.h"
#include "render/DrawableRegistry.h"

using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

constexpr float kDegreesToRadians = 3.1415927f / 180.0f;

}  // namespace

Vector4 RenderScene::NormalizedColor(const Vector4& color) {
  const float largest = std::max({color.getX(), color.getY(), color.getZ(), color.getW()});
  Vector4 normalized = largest > 1.0f ? color / 255.0f : color;
  for (int i = 0; i < 4; ++i) normalized[i] = std::clamp(normalized[i], 0.0f, 1.0f);
  return normalized;
}

void RenderScene::Gather(const DrawableRegistry& registry) {
  opaque.clear();
  transparent.clear();
  lights.clear();
  for (const auto& [id, weak] : registry.Drawables()) {
    const auto object = weak.lock();
    if (!object) continue;
    const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable);
    const auto transform = object->GetComponentAs<Transform>(CT_Transform);
    if (!renderable || !transform || !renderable->GetVisibility()) continue;
    Item item;
    item.id = id;
    item.model = MeshLibrary::ModelFor(renderable->GetModel());
    item.world = transform->GetWorldTransform();
    item.position = transform->GetPosition();
    item.color = NormalizedColor(renderable->GetColor());
    // An empty shader name is the default shader.
    item.patterned = renderable->GetShader() == "textureshader";
    item.transparent = renderable->GetTransparency() || item.color.getW() < 0.999f;
    (item.transparent ? transparent : opaque).push_back(item);
  }
  for (const auto& [id, weak] : registry.Lights()) {
    const auto object = weak.lock();
    if (!object) continue;
    const auto light = object->GetComponentAs<Light>(CT_Light);
    const auto transform = object->GetComponentAs<Transform>(CT_Transform);
    if (!light || !transform) continue;
    LightSource source;
    source.type = static_cast<int>(light->GetLightType());
    if (source.type != 0 && source.type != 1) continue;
    source.position = transform->GetPosition() + light->GetLightPositionOffset();
    const Vector3 direction = light->GetLightDirection();
    source.direction = length(direction) > 1e-6f ? normalize(direction) : Vector3(0.0f, -1.0f, 0.0f);
    source.color = light->GetDiffuseIntensity() * light->GetIntensity();
    source.range = std::max(light->GetRange(), 0.0f);
    source.falloff = std::max(light->GetFalloffValue(), 0.01f);
    source.cosInner = std::cos(light->GetInteriorAngle() * kDegreesToRadians);
    source.cosOuter = std::cos(std::max(light->GetExteriorAngle(), light->GetInteriorAngle()) * kDegreesToRadians);
    if (source.range > 0.0f) lights.push_back(source);
  }
}
