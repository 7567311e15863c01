// The reflection records of the core components, as the level reader and
// writer see them: every member under its exact name and type name, with
// storage of the type's size inside the class. A typo here would silently
// drop the member from every level file.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

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

struct RecordRow {
  const char* name;
  const META::MetaData* record;
  std::uint32_t size;
  // "member:type name" pairs, comma separated, in registration order.
  const char* members;
};

class ComponentRecordsTest : public EngineFixture {};

const RecordRow kCoreRecords[] = {
    {"Transform", &Transform::meta_, sizeof(Transform), "transformData:TransformData"},
    {"TransformData", &TransformData::meta_, sizeof(TransformData),
     "WorldPosition:MetaVec3, WorldRotationAngleX:float, WorldRotationAngleY:float, WorldRotationAngleZ:float, "
     "ModelRotationAngleX:float, ModelRotationAngleY:float, ModelRotationAngleZ:float, WorldScalar:MetaVec3, "
     "WorldOrigin:MetaVec3"},
    {"Camera", &Camera::meta_, sizeof(Camera),
     "mLookAt:MetaVec3, mRight:MetaVec3, mUp:MetaVec3, mWidth:UINT32, mHeight:UINT32, mFOV:float, mNear:float, "
     "mFar:float"},
    {"RigidBody", &RigidBody::meta_, sizeof(RigidBody),
     "m_velocity:MetaVec3, m_mass:float, m_invMass:float, m_useGravity:bool, m_static:bool, m_damping:float"},
    {"Collider", &Collider::meta_, sizeof(Collider),
     "m_shapeType:ShapeType, m_AabbHalfExtents:MetaVec3, m_ObbLocalCenter:MetaVec3, m_ObbScale:MetaVec3, "
     "m_ghost:bool, m_collisionGroup:unsigned int"},
    {"Renderable", &Renderable::meta_, sizeof(Renderable),
     "m_ModelName:std::string, m_TextureName:std::vector<std::string>, m_ShaderName:std::string, m_Color:MetaVec4, "
     "m_Transparent:bool, m_BlendFactors:MetaVec4, m_Visible:bool"},
    {"Light", &Light::meta_, sizeof(Light),
     "lightType_:int, diffuse_:MetaVec3, specular_:MetaVec3, direction_:MetaVec3, positionOffset_:MetaVec3, "
     "intensity_:float, range_:float, falloffValue_:float, interiorAngle_:float, exteriorAngle_:float"},
    {"Debug", &Debug::meta_, sizeof(Debug),
     "mDrawFlags:unsigned int, mNormalColor:Vec4, mStaticColor:Vec4, mGhostColor:Vec4, mStaticGhostColor:Vec4"},
};

TEST_F(ComponentRecordsTest, EveryMemberIsRegisteredUnderItsNameAndTypeInsideTheClass) {
  for (const RecordRow& row : kCoreRecords) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(META::MetaManager::Get(row.name), row.record);
    EXPECT_EQ(row.record->Type(), row.name);
    EXPECT_EQ(row.record->Size(), row.size);
    // Component records have no base ("Component" is never registered).
    EXPECT_EQ(row.record->Base(), nullptr);
    std::size_t count = 0;
    std::istringstream pairs(row.members);
    for (std::string pair; std::getline(pairs >> std::ws, pair, ',');) {
      SCOPED_TRACE(pair);
      ++count;
      const std::size_t colon = pair.find(':');
      const META::Member* member = row.record->FindMember(pair.substr(0, colon));
      ASSERT_NE(member, nullptr);
      ASSERT_NE(member->Data(), nullptr);
      EXPECT_EQ(member->Data()->Type(), pair.substr(colon + 1));
      EXPECT_LE(member->Offset() + member->Data()->Size(), row.size);
    }
    EXPECT_EQ(row.record->GetMembers().size(), count);
  }
}

}  // namespace
