#include "components/Light.h"

#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

using Vectormath::Aos::Vector3;

META::MetaData Light::meta_("Light", sizeof(Light), META::MetaManager::Get("Component"), false, &META::WriteBlock,
                            &META::ReadBlock);

// The defaults are the member initializers.
Light::Light() = default;

void Light::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<LightType>(meta_, "int", "lightType_", META_OFFSET(Light, lightType_));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "diffuse_", META_OFFSET(Light, diffuse_));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "specular_", META_OFFSET(Light, specular_));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "direction_", META_OFFSET(Light, direction_));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "positionOffset_", META_OFFSET(Light, positionOffset_));
  META::AddMember<float>(meta_, "float", "intensity_", META_OFFSET(Light, intensity_));
  META::AddMember<float>(meta_, "float", "range_", META_OFFSET(Light, range_));
  META::AddMember<float>(meta_, "float", "falloffValue_", META_OFFSET(Light, falloffValue_));
  META::AddMember<float>(meta_, "float", "interiorAngle_", META_OFFSET(Light, interiorAngle_));
  META::AddMember<float>(meta_, "float", "exteriorAngle_", META_OFFSET(Light, exteriorAngle_));
}

META::MetaData& Light::GetMetaData() { return meta_; }

void Light::Initialize() {}

void Light::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> Light::CloneComponent() const { return CloneAs<Light>(L"Light"); }

void Light::SetDiffuseIntensity(const Vector3& diffuse) { diffuse_ = diffuse; }
void Light::SetSpecularIntensity(const Vector3& specular) { specular_ = specular; }
void Light::SetLightDirection(const Vector3& direction) { direction_ = direction; }
void Light::SetLightPositionOffset(const Vector3& offset) { positionOffset_ = offset; }
void Light::SetIntensity(float intensity) { intensity_ = intensity; }
void Light::SetRange(float range) { range_ = range; }
void Light::SetFalloffValue(float falloff) { falloffValue_ = falloff; }
void Light::SetInteriorAngle(float angle) { interiorAngle_ = angle; }
void Light::SetExteriorAngle(float angle) { exteriorAngle_ = angle; }
