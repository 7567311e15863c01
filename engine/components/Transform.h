#pragma once
#include <memory>

#include "components/TransformData.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Message;
namespace META {
class MetaData;
}

// Places an object in the world. Angles are degrees; the world matrix is for
// column vectors. Rotation matrices are rebuilt only when their angles change.
class TW_API Transform : public Component {
 public:
  // Unit scale and a valid cache: every matrix is the identity.
  Transform();
  Transform(const Transform& other) = default;
  Transform& operator=(const Transform& other) = default;
  ~Transform() override = default;

  // Rebuilds the whole cache: values read from a file leave it stale.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  // Registers "transformData", then the TransformData record's members.
  static void AddMeta();
  static META::MetaData meta_;

  // The stored vectors themselves: a kept reference sees later moves. A write
  // through one changes the vector only and rebuilds no cached matrix; use
  // SetWorldPosition and SetWorldScalar for that.
  [[nodiscard]] Vectormath::Aos::Vector3& GetPosition() { return transformData.WorldPosition; }
  [[nodiscard]] const Vectormath::Aos::Vector3& GetPosition() const { return transformData.WorldPosition; }
  [[nodiscard]] Vectormath::Aos::Vector3& GetScale() { return transformData.WorldScalar; }
  [[nodiscard]] const Vectormath::Aos::Vector3& GetScale() const { return transformData.WorldScalar; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetOrigin() const { return transformData.WorldOrigin; }
  [[nodiscard]] const TransformData& GetTransformData() const { return transformData; }

  // Recomposes the world matrix on every call, refreshing stale rotations first.
  const Vectormath::Aos::Matrix4& GetWorldTransform();
  // The name is part of the exported interface, spelling included.
  const Vectormath::Aos::Matrix4& GetWoldRotation();

  void SetWorldPosition(const Vectormath::Aos::Vector3& position);
  void SetWorldScalar(const Vectormath::Aos::Vector3& scale);
  void ModifyWorldScalarX(float factor);
  void ModifyWorldScalarY(float factor);
  void ModifyWorldScalarZ(float factor);
  // Read directly when the world matrix is composed; nothing is cached from it.
  void SetWorldOrigin(const Vectormath::Aos::Vector3& origin);

  // Angles accumulate in degrees without wrapping.
  void ModifyWorldRotationX(float degrees);
  void ModifyWorldRotationY(float degrees);
  void ModifyWorldRotationZ(float degrees);
  void ModifyModelRotationX(float degrees);
  void ModifyModelRotationY(float degrees);
  void ModifyModelRotationZ(float degrees);
  // Takes the other's cached world rotation and its angles as they are.
  void CopyWorldRotation(const Transform& other);

  void UpdateMatrices();
  void UpdateWorldRotationMatrix();
  void UpdateModelRotationMatrix();
  void UpdateScaleMatrix();
  void UpdateTranslationMatrix();
  void UpdateTransformMatrix();

 private:
  TransformData transformData;
};
