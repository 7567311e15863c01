// The reflection records of the core components, as the level reader and
// writer see them: every member under its exact name and type name, with
// storage of the type's size inside the class. A typo here would silently
// drop the member from every level file.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/Camera.h"
#include "components/Collider.h"
#include "components/Debug.h"
#include "components/Light.h"
#include "components/Renderable.h"
#include "components/RigidBody.h"
#include "components/Transform.h"
#include "components/TransformData.h"
#include "meta/MetaData.h"
#include "meta/MetaManager.h"
#include "support/EngineFixture.h"

namespace {

struct MemberRow {
  const char* member;
  const char* typeName;
  std::uint32_t size;
};

struct RecordRow {
  const char* name;
  const META::MetaData* record;
  std::uint32_t size;
  std::vector<MemberRow> members;
};

class ComponentRecordsTest : public EngineFixture {};

std::vector<RecordRow> CoreRecords() {
  const auto string = static_cast<std::uint32_t>(sizeof(std::string));
  const auto strings = static_cast<std::uint32_t>(sizeof(std::vector<std::string>));
  return {
      {"Transform", &Transform::meta_, sizeof(Transform), {{"transformData", "TransformData", sizeof(TransformData)}}},
      {"TransformData",
       &TransformData::meta_,
       sizeof(TransformData),
       {{"WorldPosition", "MetaVec3", 12},
        {"WorldRotationAngleX", "float", 4},
        {"WorldRotationAngleY", "float", 4},
        {"WorldRotationAngleZ", "float", 4},
        {"ModelRotationAngleX", "float", 4},
        {"ModelRotationAngleY", "float", 4},
        {"ModelRotationAngleZ", "float", 4},
        {"WorldScalar", "MetaVec3", 12},
        {"WorldOrigin", "MetaVec3", 12}}},
      {"Camera",
       &Camera::meta_,
       sizeof(Camera),
       {{"mLookAt", "MetaVec3", 12},
        {"mRight", "MetaVec3", 12},
        {"mUp", "MetaVec3", 12},
        {"mWidth", "UINT32", 4},
        {"mHeight", "UINT32", 4},
        {"mFOV", "float", 4},
        {"mNear", "float", 4},
        {"mFar", "float", 4}}},
      {"RigidBody",
       &RigidBody::meta_,
       sizeof(RigidBody),
       {{"m_velocity", "MetaVec3", 12},
        {"m_mass", "float", 4},
        {"m_invMass", "float", 4},
        {"m_useGravity", "bool", 1},
        {"m_static", "bool", 1},
        {"m_damping", "float", 4}}},
      {"Collider",
       &Collider::meta_,
       sizeof(Collider),
       {{"m_shapeType", "ShapeType", 4},
        {"m_AabbHalfExtents", "MetaVec3", 12},
        {"m_ObbLocalCenter", "MetaVec3", 12},
        {"m_ObbScale", "MetaVec3", 12},
        {"m_ghost", "bool", 1},
        {"m_collisionGroup", "unsigned int", 4}}},
      {"Renderable",
       &Renderable::meta_,
       sizeof(Renderable),
       {{"m_ModelName", "std::string", string},
        {"m_TextureName", "std::vector<std::string>", strings},
        {"m_ShaderName", "std::string", string},
        {"m_Color", "MetaVec4", 16},
        {"m_Transparent", "bool", 1},
        {"m_BlendFactors", "MetaVec4", 16},
        {"m_Visible", "bool", 1}}},
      {"Light",
       &Light::meta_,
       sizeof(Light),
       {{"lightType_", "int", 4},
        {"diffuse_", "MetaVec3", 12},
        {"specular_", "MetaVec3", 12},
        {"direction_", "MetaVec3", 12},
        {"positionOffset_", "MetaVec3", 12},
        {"intensity_", "float", 4},
        {"range_", "float", 4},
        {"falloffValue_", "float", 4},
        {"interiorAngle_", "float", 4},
        {"exteriorAngle_", "float", 4}}},
      {"Debug",
       &Debug::meta_,
       sizeof(Debug),
       {{"mDrawFlags", "unsigned int", 4},
        {"mNormalColor", "Vec4", 16},
        {"mStaticColor", "Vec4", 16},
        {"mGhostColor", "Vec4", 16},
        {"mStaticGhostColor", "Vec4", 16}}},
  };
}

TEST_F(ComponentRecordsTest, EveryMemberIsRegisteredUnderItsNameTypeAndSize) {
  for (const RecordRow& row : CoreRecords()) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(META::MetaManager::Get(row.name), row.record);
    EXPECT_EQ(row.record->Type(), row.name);
    EXPECT_EQ(row.record->Size(), row.size);
    // Component records have no base ("Component" is never registered).
    EXPECT_EQ(row.record->Base(), nullptr);
    EXPECT_EQ(row.record->GetMembers().size(), row.members.size());
    for (const MemberRow& expected : row.members) {
      SCOPED_TRACE(expected.member);
      const META::Member* member = row.record->FindMember(expected.member);
      ASSERT_NE(member, nullptr);
      ASSERT_NE(member->Data(), nullptr);
      EXPECT_EQ(member->Data()->Type(), expected.typeName);
      EXPECT_EQ(member->Data()->Size(), expected.size);
      EXPECT_LE(member->Offset() + expected.size, row.size);
    }
  }
}

}  // namespace
