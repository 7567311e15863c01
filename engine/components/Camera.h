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

// A first-person view: an orthonormal basis, the viewport and the projection
// values. Its position is the owning object's Transform position. Angles in
// degrees, the field of view in radians; view matrices are for row vectors.
class TW_API Camera : public Component {
 public:
  // Looks down -z with +x to the right and +y up, 900 x 740, 72 degrees.
  Camera();
  Camera(const Camera& other) = default;
  Camera& operator=(const Camera& other) = default;
  ~Camera() override = default;

  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // The stored vectors themselves: a kept reference follows the camera's
  // turns. A write through one changes that vector only: the other two are
  // not turned to match, and nothing marks the camera as changed.
  [[nodiscard]] Vectormath::Aos::Vector3& GetLookAt() { return mLookAt; }
  [[nodiscard]] const Vectormath::Aos::Vector3& GetLookAt() const { return mLookAt; }
  [[nodiscard]] Vectormath::Aos::Vector3& GetRightVector() { return mRight; }
  [[nodiscard]] const Vectormath::Aos::Vector3& GetRightVector() const { return mRight; }
  [[nodiscard]] Vectormath::Aos::Vector3& GetUpVector() { return mUp; }
  [[nodiscard]] const Vectormath::Aos::Vector3& GetUpVector() const { return mUp; }
  [[nodiscard]] std::uint32_t GetCameraWidth() const { return mWidth; }
  [[nodiscard]] std::uint32_t GetCameraHeight() const { return mHeight; }
  [[nodiscard]] float GetCameraFOV() const { return mFOV; }
  [[nodiscard]] float GetCameraNear() const { return mNear; }
  [[nodiscard]] float GetCameraFar() const { return mFar; }
  // Raised by a viewport size change; the renderer clears it once it has
  // rebuilt its projection.
  [[nodiscard]] bool GetDidChange() const { return mDidChange; }

  void SetCameraWidth(std::uint32_t width);
  void SetCameraHeight(std::uint32_t height);
  void SetCameraFOV(float fov);
  void SetCameraNear(float nearDistance);
  void SetCameraFar(float farDistance);
  void SetDidChange(bool changed);

  // Free rotations about the camera's own axes; no renormalization.
  void RotateYaw(float degrees);
  void RotatePitch(float degrees);
  void RotateRoll(float degrees);
  // Turns about the world's vertical axis.
  void TurnFPCam(float degrees);
  // Pitches about the right vector, never past straight up or down.
  void LiftFPCam(float degrees);

  // The horizontal walking direction, unit length.
  [[nodiscard]] Vectormath::Aos::Vector3 GetForwardVector() const;
  // The right vector flattened onto the ground; undefined while it is vertical.
  [[nodiscard]] Vectormath::Aos::Vector3 GetStrafeVector() const;

  // Row-vector view matrices (a point p maps to p x M).
  [[nodiscard]] Vectormath::Aos::Matrix4 GetInverseOrthogonalTransformation() const;
  // The identity when the camera has no owning object with a Transform.
  [[nodiscard]] Vectormath::Aos::Matrix4 GetInverseTranslationalTransformation() const;
  [[nodiscard]] Vectormath::Aos::Matrix4 GetCameraTransformation() const;

 private:
  MetaVec3 mLookAt = Vectormath::Aos::Vector3(0.0f, 0.0f, -1.0f);
  MetaVec3 mRight = Vectormath::Aos::Vector3(1.0f, 0.0f, 0.0f);
  MetaVec3 mUp = Vectormath::Aos::Vector3(0.0f, 1.0f, 0.0f);
  std::uint32_t mWidth = 900;
  std::uint32_t mHeight = 740;
  float mFOV = 1.2566371f;
  float mNear = 0.01f;
  float mFar = 1000.0f;
  bool mDidChange = false;
};
