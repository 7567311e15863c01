#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaVec3.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Message;
namespace META {
class MetaData;
}

// The kind of light. The numbers belong to the host's renderer; the engine
// only stores, copies and writes them.
enum LightType : std::int32_t {
  LT_Point = 1,
  LT_Spot = 2,
  LT_Directional = 3,
};

// A light source attached to an object, for the host's renderer.
class TW_API Light : public Component {
 public:
  // A spot light: intensity 1, range 10, falloff 1, cone 15 / 30 degrees.
  Light();
  Light(const Light& other) = default;
  Light& operator=(const Light& other) = default;
  ~Light() override = default;

  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Comes from the file only; there is no setter.
  [[nodiscard]] LightType GetLightType() const { return lightType_; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetDiffuseIntensity() const { return diffuse_; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetSpecularIntensity() const { return specular_; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetLightDirection() const { return direction_; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetLightPositionOffset() const { return positionOffset_; }
  [[nodiscard]] float GetIntensity() const { return intensity_; }
  [[nodiscard]] float GetRange() const { return range_; }
  [[nodiscard]] float GetFalloffValue() const { return falloffValue_; }
  [[nodiscard]] float GetInteriorAngle() const { return interiorAngle_; }
  [[nodiscard]] float GetExteriorAngle() const { return exteriorAngle_; }

  void SetDiffuseIntensity(const Vectormath::Aos::Vector3& diffuse);
  void SetSpecularIntensity(const Vectormath::Aos::Vector3& specular);
  void SetLightDirection(const Vectormath::Aos::Vector3& direction);
  void SetLightPositionOffset(const Vectormath::Aos::Vector3& offset);
  void SetIntensity(float intensity);
  void SetRange(float range);
  void SetFalloffValue(float falloff);
  void SetInteriorAngle(float angle);
  void SetExteriorAngle(float angle);

 private:
  LightType lightType_ = LT_Spot;
  MetaVec3 diffuse_ = Vectormath::Aos::Vector3(0.0f);
  MetaVec3 specular_ = Vectormath::Aos::Vector3(0.0f);
  MetaVec3 direction_ = Vectormath::Aos::Vector3(0.0f);
  MetaVec3 positionOffset_ = Vectormath::Aos::Vector3(0.0f);
  float intensity_ = 1.0f;
  float range_ = 10.0f;
  float falloffValue_ = 1.0f;
  float interiorAngle_ = 15.0f;
  float exteriorAngle_ = 30.0f;
};
