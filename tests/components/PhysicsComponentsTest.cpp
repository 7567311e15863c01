// RigidBody and Collider as the host's physics uses them: mass and damping
// rules, force gathering, impulses and world-space shape queries.
#include <gtest/gtest.h>

#include <memory>

#include "components/Collider.h"
#include "components/RigidBody.h"
#include "components/Transform.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

using tidewater_test::MatNear;
using tidewater_test::VecNear;
using Vectormath::Aos::Matrix3;
using Vectormath::Aos::Vector3;

namespace {

class PhysicsComponentsTest : public EngineFixture {
 protected:
  static std::shared_ptr<RigidBody> MakeBody() {
    return std::static_pointer_cast<RigidBody>(Engine::mFactory.CreateComponent(L"RigidBody"));
  }

  // A crate: Collider and Transform on one object, initialized.
  std::shared_ptr<Collider> MakeCrate(const Vector3& position) {
    mCrate = Engine::mFactory.CreateGenericObject().lock();
    Engine::mFactory.GiveObjectComponent(mCrate, L"Collider");
    Engine::mFactory.GiveObjectComponent(mCrate, L"Transform");
    mCrate->Initialize();
    transform()->SetWorldPosition(position);
    return mCrate->GetComponentAs<Collider>(CT_Collider);
  }

  std::shared_ptr<Transform> transform() const { return mCrate->GetComponentAs<Transform>(CT_Transform); }

  // Sets a Collider's serialized vectors the way a level file does.
  static void SetVectorLikeAFile(Collider& collider, const char* name, const Vector3& value) {
    const META::Member* member = Collider::meta_.FindMember(name);
    ASSERT_NE(member, nullptr);
    auto* stored = reinterpret_cast<MetaVec3*>(reinterpret_cast<unsigned char*>(&collider) + member->Offset());
    *stored = value;
  }

  std::shared_ptr<Object> mCrate;
};

TEST_F(PhysicsComponentsTest, MassDampingForcesAndImpulses) {
  auto body = MakeBody();
  ASSERT_TRUE(body);
  body->SetMass(4.0f);
  EXPECT_FLOAT_EQ(body->GetInvMass(), 0.25f);
  body->AddImpulse(Vector3(2, 0, 0));
  EXPECT_TRUE(VecNear(body->GetVelocity(), Vector3(0.5f, 0, 0)));
  // No mass makes the body immovable: impulses are ignored.
  body->SetMass(-3.0f);
  EXPECT_FLOAT_EQ(body->GetMass(), 0.0f);
  EXPECT_FLOAT_EQ(body->GetInvMass(), 0.0f);
  body->AddImpulse(Vector3(2, 5, 0));
  EXPECT_TRUE(VecNear(body->GetVelocity(), Vector3(0.5f, 0, 0)));

  // Damping outside [0, 1] means none; 0 is a valid value.
  body->SetDamping(0.3f);
  body->SetDamping(1.5f);
  EXPECT_FLOAT_EQ(body->GetDamping(), 1.0f);
  body->SetDamping(0.0f);
  EXPECT_FLOAT_EQ(body->GetDamping(), 0.0f);

  body->AddForce(Vector3(1, 0, 0));
  body->AddForce(Vector3(0, 2, 0));
  EXPECT_TRUE(VecNear(body->GetNetForce(), Vector3(1, 2, 0)));
  body->ClearForces();
  EXPECT_TRUE(VecNear(body->GetNetForce(), Vector3(0, 0, 0)));
}

TEST_F(PhysicsComponentsTest, AxisAlignedBoxFollowsPositionIgnoringRotationAndScale) {
  auto collider = MakeCrate(Vector3(1, 2, 3));
  SetVectorLikeAFile(*collider, "m_AabbHalfExtents", Vector3(1, 1, 1));
  transform()->ModifyWorldRotationY(45.0f);
  transform()->SetWorldScalar(Vector3(5, 5, 5));
  EXPECT_TRUE(VecNear(collider->GetAabbMin(), Vector3(0, 1, 2)));
  EXPECT_TRUE(VecNear(collider->GetAabbMax(), Vector3(2, 3, 4)));
  EXPECT_FLOAT_EQ(collider->GetRadius(), 1.0f);

  // The box moves with the object without another Initialize.
  transform()->SetWorldPosition(Vector3(0, 0, 0));
  EXPECT_TRUE(VecNear(collider->GetAabbMax(), Vector3(1, 1, 1)));
}

TEST_F(PhysicsComponentsTest, OrientedBoxTakesScaleAndRotationFromTheTransform) {
  auto collider = MakeCrate(Vector3(10, 0, 0));
  SetVectorLikeAFile(*collider, "m_ObbScale", Vector3(2, 2, 2));
  SetVectorLikeAFile(*collider, "m_ObbLocalCenter", Vector3(0, 1, 0));
  transform()->SetWorldScalar(Vector3(1, 3, 1));
  EXPECT_TRUE(VecNear(collider->GetObbWorldHalfExtents(), Vector3(1, 3, 1)));

  // A fresh turn is picked up even though nobody read the transform since.
  transform()->ModifyWorldRotationY(90.0f);
  const Matrix3 axes = collider->GetObbAxes();
  EXPECT_TRUE(VecNear(axes.getCol0(), Vector3(0, 0, -1)));
  EXPECT_TRUE(VecNear(axes.getCol2(), Vector3(1, 0, 0)));
  // The centre offset is not turned with the box.
  EXPECT_TRUE(VecNear(collider->GetCenter(), Vector3(10, 1, 0)));
}

TEST_F(PhysicsComponentsTest, ColliderCloneFindsItsOwnTransformOnceInitialized) {
  auto collider = MakeCrate(Vector3(4, 0, 0));
  collider->SetGhost(true);
  SetVectorLikeAFile(*collider, "m_AabbHalfExtents", Vector3(1, 2, 3));

  // A cloned object carries clones of both parts; the clone's box sits on the clone.
  auto copy = mCrate->CloneObject().lock();
  ASSERT_TRUE(copy);
  auto copiedCollider = copy->GetComponentAs<Collider>(CT_Collider);
  ASSERT_TRUE(copiedCollider);
  EXPECT_TRUE(copiedCollider->IsGhost());
  copy->GetComponentAs<Transform>(CT_Transform)->SetWorldPosition(Vector3(-4, 0, 0));
  EXPECT_TRUE(VecNear(copiedCollider->GetAabbMax(), Vector3(-3, 2, 3)));
  EXPECT_TRUE(VecNear(collider->GetAabbMax(), Vector3(5, 2, 3)));
}

TEST_F(PhysicsComponentsTest, ColliderWithoutATransformAnswersAtTheOrigin) {
  // An object that is destroyed takes its Transform along; the collider lives on.
  auto collider = MakeCrate(Vector3(4, 0, 0));
  SetVectorLikeAFile(*collider, "m_AabbHalfExtents", Vector3(1, 1, 1));
  Engine::mFactory.Destroy(mCrate);
  mCrate.reset();
  Flush();
  // Everything but the collider is gone; the answers fall back to the origin.
  EXPECT_TRUE(VecNear(collider->GetAabbMax(), Vector3(1, 1, 1)));
  EXPECT_TRUE(MatNear(collider->GetObbAxes(), Matrix3::identity()));
}

}  // namespace
