#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "meta/MetaVec3.h"
#include "meta/MetaVec4.h"
#include "objects/ComponentType.h"
#include "vectormath/vectormath_aos.h"

// A value with a member of every type a component may declare, so one block
// exercises every writer and reader. Registered as "TestSample".
struct Sample {
  float mFloat = 0.0f;
  std::int32_t mInt = 0;
  bool mBool = false;
  std::uint32_t mCount = 0;      // "UINT32"
  std::uint32_t mFlags = 0;      // "unsigned int"
  std::uint32_t mId = 0;         // "unsigned long"
  ObjectID mOwner = 0;           // "ObjectID"
  std::int32_t mShape = 0;       // "ShapeType"
  std::string mName;
  std::vector<std::string> mTextures;
  Vectormath::Aos::Matrix4 mMatrix = Vectormath::Aos::Matrix4::identity();  // "Mat4", not stored
  Vectormath::Aos::Vector4 mColor{0.0f, 0.0f, 0.0f, 0.0f};                  // "Vec4", not stored
  MetaVec3 mPosition{Vectormath::Aos::Vector3(0.0f, 0.0f, 0.0f)};
  MetaVec4 mTint{Vectormath::Aos::Vector4(0.0f, 0.0f, 0.0f, 0.0f)};

  static META::MetaData meta_;
  static void AddMeta();
};

// Laid out like a rigid body's block in a level file. Registered as "TestCrate".
struct Crate {
  float m_mass = 0.0f;
  bool m_static = false;
  MetaVec3 m_velocity{Vectormath::Aos::Vector3(0.0f, 0.0f, 0.0f)};

  static META::MetaData meta_;
  static void AddMeta();
};

// Start-up registration plus the test records. The registry is process-wide
// and a test may Clear it, so every test calls this first.
void RegisterTestRecords();
