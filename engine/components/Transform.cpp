#include "components/Transform.h"

#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

using Vectormath::Aos::Matrix4;
using Vectormath::Aos::Vector3;

namespace {

// pi / 180 in single precision, the factor every stored angle is turned with.
constexpr float kDegreesToRadians = 0.017453292f;

// Rotates about x first, then y, then z.
Matrix4 RotationFromDegrees(float x, float y, float z) {
  return Matrix4::rotationZYX(Vector3(x * kDegreesToRadians, y * kDegreesToRadians, z * kDegreesToRadians));
}

}  // namespace

META::MetaData Transform::meta_("Transform", sizeof(Transform), META::MetaManager::Get("Component"), false,
                                &META::WriteBlock, &META::ReadBlock);

// Unit scale comes with TransformData; the cache is built here so it is valid from the start.
Transform::Transform() {
  transformData.mWorldRotationDirty = true;
  transformData.mModelRotationDirty = true;
  UpdateMatrices();
}

void Transform::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<TransformData>(meta_, "TransformData", "transformData", META_OFFSET(Transform, transformData));
  // The factory calls only this class's AddMeta; the nested record is filled here.
  TransformData::AddMeta();
}

META::MetaData& Transform::GetMetaData() { return meta_; }

void Transform::Initialize() {
  transformData.mWorldRotationDirty = true;
  transformData.mModelRotationDirty = true;
  UpdateMatrices();
}

void Transform::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> Transform::CloneComponent() const { return CloneAs<Transform>(L"Transform"); }

const Matrix4& Transform::GetWorldTransform() {
  UpdateWorldRotationMatrix();
  UpdateModelRotationMatrix();
  UpdateTransformMatrix();
  return transformData.mWorldTransform;
}

const Matrix4& Transform::GetWoldRotation() {
  UpdateWorldRotationMatrix();
  return transformData.mWorldRotation;
}

void Transform::SetWorldPosition(const Vector3& position) {
  transformData.WorldPosition = position;
  UpdateTranslationMatrix();
}

void Transform::SetWorldScalar(const Vector3& scale) {
  transformData.WorldScalar = scale;
  UpdateScaleMatrix();
}

void Transform::ModifyWorldScalarX(float factor) {
  transformData.WorldScalar.setX(transformData.WorldScalar.getX() * factor);
  UpdateScaleMatrix();
}

void Transform::ModifyWorldScalarY(float factor) {
  transformData.WorldScalar.setY(transformData.WorldScalar.getY() * factor);
  UpdateScaleMatrix();
}

void Transform::ModifyWorldScalarZ(float factor) {
  transformData.WorldScalar.setZ(transformData.WorldScalar.getZ() * factor);
  UpdateScaleMatrix();
}

void Transform::SetWorldOrigin(const Vector3& origin) { transformData.WorldOrigin = origin; }

void Transform::ModifyWorldRotationX(float degrees) {
  transformData.WorldRotationAngleX += degrees;
  transformData.mWorldRotationDirty = true;
}

void Transform::ModifyWorldRotationY(float degrees) {
  transformData.WorldRotationAngleY += degrees;
  transformData.mWorldRotationDirty = true;
}

void Transform::ModifyWorldRotationZ(float degrees) {
  transformData.WorldRotationAngleZ += degrees;
  transformData.mWorldRotationDirty = true;
}

void Transform::ModifyModelRotationX(float degrees) {
  transformData.ModelRotationAngleX += degrees;
  transformData.mModelRotationDirty = true;
}

void Transform::ModifyModelRotationY(float degrees) {
  transformData.ModelRotationAngleY += degrees;
  transformData.mModelRotationDirty = true;
}

void Transform::ModifyModelRotationZ(float degrees) {
  transformData.ModelRotationAngleZ += degrees;
  transformData.mModelRotationDirty = true;
}

void Transform::CopyWorldRotation(const Transform& other) {
  transformData.mWorldRotation = other.transformData.mWorldRotation;
  transformData.WorldRotationAngleX = other.transformData.WorldRotationAngleX;
  transformData.WorldRotationAngleY = other.transformData.WorldRotationAngleY;
  transformData.WorldRotationAngleZ = other.transformData.WorldRotationAngleZ;
}

void Transform::UpdateMatrices() {
  UpdateScaleMatrix();
  UpdateWorldRotationMatrix();
  UpdateModelRotationMatrix();
  UpdateTranslationMatrix();
  UpdateTransformMatrix();
}

void Transform::UpdateWorldRotationMatrix() {
  if (!transformData.mWorldRotationDirty) return;
  transformData.mWorldRotation = RotationFromDegrees(
      transformData.WorldRotationAngleX, transformData.WorldRotationAngleY, transformData.WorldRotationAngleZ);
  transformData.mWorldRotationDirty = false;
}

void Transform::UpdateModelRotationMatrix() {
  if (!transformData.mModelRotationDirty) return;
  transformData.mModelRotation = RotationFromDegrees(
      transformData.ModelRotationAngleX, transformData.ModelRotationAngleY, transformData.ModelRotationAngleZ);
  transformData.mModelRotationDirty = false;
}

void Transform::UpdateScaleMatrix() { transformData.mScale = Matrix4::scale(transformData.WorldScalar); }

void Transform::UpdateTranslationMatrix() {
  transformData.mTranslation = Matrix4::translation(transformData.WorldPosition);
}

void Transform::UpdateTransformMatrix() {
  // The world rotation pivots about the point at -WorldOrigin from the model's origin.
  const Vector3 origin = transformData.WorldOrigin;
  transformData.mWorldTransform = transformData.mTranslation * Matrix4::translation(-origin) *
                                  transformData.mWorldRotation * Matrix4::translation(origin) *
                                  transformData.mModelRotation * transformData.mScale;
}
