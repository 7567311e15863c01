#include "components/Camera.h"

#include "components/Transform.h"
#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

using Vectormath::Aos::Matrix3;
using Vectormath::Aos::Matrix4;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

float ToRadians(float degrees) { return degrees * 3.1415927f / 180.0f; }

// Right-handed rotation of v about the unit axis.
Vector3 RotateAbout(const Vector3& v, const Vector3& axis, float degrees) {
  return Matrix3::rotation(ToRadians(degrees), axis) * v;
}

}  // namespace

META::MetaData Camera::meta_("Camera", sizeof(Camera), META::MetaManager::Get("Component"), false, &META::WriteBlock,
                             &META::ReadBlock);

// The defaults are the member initializers.
Camera::Camera() = default;

void Camera::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "mLookAt", META_OFFSET(Camera, mLookAt));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "mRight", META_OFFSET(Camera, mRight));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "mUp", META_OFFSET(Camera, mUp));
  META::AddMember<std::uint32_t>(meta_, "UINT32", "mWidth", META_OFFSET(Camera, mWidth));
  META::AddMember<std::uint32_t>(meta_, "UINT32", "mHeight", META_OFFSET(Camera, mHeight));
  META::AddMember<float>(meta_, "float", "mFOV", META_OFFSET(Camera, mFOV));
  META::AddMember<float>(meta_, "float", "mNear", META_OFFSET(Camera, mNear));
  META::AddMember<float>(meta_, "float", "mFar", META_OFFSET(Camera, mFar));
}

META::MetaData& Camera::GetMetaData() { return meta_; }

void Camera::Initialize() {}

void Camera::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> Camera::CloneComponent() const { return CloneAs<Camera>(L"Camera"); }

void Camera::SetCameraWidth(std::uint32_t width) {
  mWidth = width;
  mDidChange = true;
}

void Camera::SetCameraHeight(std::uint32_t height) {
  mHeight = height;
  mDidChange = true;
}

void Camera::SetCameraFOV(float fov) { mFOV = fov; }
void Camera::SetCameraNear(float nearDistance) { mNear = nearDistance; }
void Camera::SetCameraFar(float farDistance) { mFar = farDistance; }
void Camera::SetDidChange(bool changed) { mDidChange = changed; }

void Camera::RotateYaw(float degrees) {
  const Vector3 axis = mUp;
  mLookAt = RotateAbout(mLookAt, axis, degrees);
  mRight = RotateAbout(mRight, axis, degrees);
}

void Camera::RotatePitch(float degrees) {
  const Vector3 axis = mRight;
  mLookAt = RotateAbout(mLookAt, axis, degrees);
  mUp = RotateAbout(mUp, axis, degrees);
}

void Camera::RotateRoll(float degrees) {
  const Vector3 axis = mLookAt;
  mRight = RotateAbout(mRight, axis, degrees);
  mUp = RotateAbout(mUp, axis, degrees);
}

void Camera::TurnFPCam(float degrees) {
  const float radians = ToRadians(degrees);
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  const auto turn = [c, s](const MetaVec3& v) {
    return Vector3(v.getX() * c + v.getZ() * s, v.getY(), -v.getX() * s + v.getZ() * c);
  };
  mRight = turn(mRight);
  mUp = turn(mUp);
  mLookAt = Vectormath::Aos::normalize(Vectormath::Aos::cross(mUp, mRight));
}

void Camera::LiftFPCam(float degrees) {
  Vector3 up = RotateAbout(mUp, mRight, degrees);
  if (up.getY() < 0.0f) {
    // Past vertical: flatten back onto it so the view stops at straight up or down.
    up.setY(0.0f);
    const float length = Vectormath::Aos::length(up);
    if (length == 0.0f) return;
    up /= length;
  }
  mUp = up;
  mLookAt = Vectormath::Aos::normalize(Vectormath::Aos::cross(mUp, mRight));
}

Vector3 Camera::GetForwardVector() const {
  Vector3 flat = mLookAt;
  flat.setY(0.0f);
  const float length = Vectormath::Aos::length(flat);
  if (length != 0.0f) return flat / length;
  // Looking straight up or down: the up vector then points along the ground.
  const Vector3 up = mUp;
  return mLookAt.getY() < 0.0f ? up : -up;
}

Vector3 Camera::GetStrafeVector() const {
  Vector3 flat = mRight;
  flat.setY(0.0f);
  return Vectormath::Aos::normalize(flat);
}

Matrix4 Camera::GetInverseOrthogonalTransformation() const {
  const Vector3 right = mRight;
  const Vector3 up = mUp;
  const Vector3 lookAt = mLookAt;
  return {Vector4(right, 0.0f), Vector4(up, 0.0f), Vector4(-lookAt, 0.0f), Vector4(0.0f, 0.0f, 0.0f, 1.0f)};
}

Matrix4 Camera::GetInverseTranslationalTransformation() const {
  Matrix4 result = Matrix4::identity();
  const auto object = GetParent().lock();
  if (!object) return result;
  const auto transform = object->GetComponentAs<Transform>(CT_Transform);
  if (!transform) return result;
  result.setRow(3, Vector4(-transform->GetPosition(), 1.0f));
  return result;
}

Matrix4 Camera::GetCameraTransformation() const {
  return GetInverseTranslationalTransformation() * GetInverseOrthogonalTransformation();
}
