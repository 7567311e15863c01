#pragma once
#include "meta/MetaData.h"
#include "meta/MetaVec3.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// Everything a Transform stores: the serialized placement (angles in degrees,
// scale, origin offset, position) and the matrices cached from it. A plain
// copyable value; copying it copies the cache and the dirty flags too.
struct TW_API TransformData {
  static META::MetaData meta_;
  static void AddMeta();

  float WorldRotationAngleX = 0.0f;
  float WorldRotationAngleY = 0.0f;
  float WorldRotationAngleZ = 0.0f;
  float ModelRotationAngleX = 0.0f;
  float ModelRotationAngleY = 0.0f;
  float ModelRotationAngleZ = 0.0f;
  MetaVec3 WorldScalar = Vectormath::Aos::Vector3(1.0f);
  MetaVec3 WorldOrigin = Vectormath::Aos::Vector3(0.0f);
  MetaVec3 WorldPosition = Vectormath::Aos::Vector3(0.0f);

  Vectormath::Aos::Matrix4 mWorldTransform = Vectormath::Aos::Matrix4::identity();
  Vectormath::Aos::Matrix4 mWorldRotation = Vectormath::Aos::Matrix4::identity();
  Vectormath::Aos::Matrix4 mScale = Vectormath::Aos::Matrix4::identity();
  Vectormath::Aos::Matrix4 mTranslation = Vectormath::Aos::Matrix4::identity();
  Vectormath::Aos::Matrix4 mModelRotation = Vectormath::Aos::Matrix4::identity();

  bool mWorldRotationDirty = false;
  bool mModelRotationDirty = false;
};
