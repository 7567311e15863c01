// The Transform as a renderer and gameplay code use it: world matrices applied
// to model points, lazily rebuilt rotations, scale changes and cloning.
#include <gtest/gtest.h>

#include <memory>

#include "components/Transform.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

using tidewater_test::MatNear;
using tidewater_test::VecNear;
using Vectormath::Aos::Matrix4;
using Vectormath::Aos::Point3;
using Vectormath::Aos::Vector3;

namespace {

class TransformTest : public EngineFixture {
 protected:
  static std::shared_ptr<Transform> MakeTransform() {
    return std::static_pointer_cast<Transform>(Engine::mFactory.CreateComponent(L"Transform"));
  }

  // Where the world matrix puts a point of the model.
  static Vector3 Place(Transform& transform, const Vector3& modelPoint) {
    return (transform.GetWorldTransform() * Point3(modelPoint)).getXYZ();
  }
};

TEST_F(TransformTest, ScalesTurnsTheModelPivotsTheWorldTurnAboutTheOriginThenPlaces) {
  auto transform = MakeTransform();
  transform->SetWorldScalar(Vector3(2, 1, 1));
  transform->ModifyModelRotationY(90.0f);
  transform->SetWorldOrigin(Vector3(0, 0, 1));
  transform->ModifyWorldRotationY(180.0f);
  transform->SetWorldPosition(Vector3(10, 0, 0));
  // (1,1,0) -> scaled (2,1,0) -> model turn (0,1,-2) -> +origin (0,1,-1)
  // -> world turn (0,1,1) -> -origin (0,1,0) -> placed (10,1,0).
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(1, 1, 0)), Vector3(10, 1, 0)));

  // About x first (y -> z), then z leaves it; reversed it would end on -x.
  auto both = MakeTransform();
  both->ModifyWorldRotationX(90.0f);
  both->ModifyWorldRotationZ(90.0f);
  EXPECT_TRUE(VecNear(Place(*both, Vector3(0, 1, 0)), Vector3(0, 0, 1)));
}

TEST_F(TransformTest, CacheIsRebuiltOnlyWhereSomethingChanged) {
  auto transform = MakeTransform();
  transform->ModifyWorldRotationY(45.0f);
  transform->ModifyWorldRotationY(45.0f);
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), Matrix4::rotationY(1.5707963f)));

  // Moving leaves the rotation alone and shows in the next world matrix; a
  // kept reference to the position follows the move.
  const Vector3& position = transform->GetPosition();
  transform->SetWorldPosition(Vector3(1, 2, 3));
  EXPECT_TRUE(VecNear(position, Vector3(1, 2, 3)));
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), Matrix4::rotationY(1.5707963f)));
  EXPECT_TRUE(VecNear(transform->GetWorldTransform().getTranslation(), Vector3(1, 2, 3)));
  // A write through the reference lands but rebuilds nothing: the cached
  // translation waits for the setter.
  transform->GetPosition() = Vector3(1, 2, 4);
  EXPECT_FLOAT_EQ(transform->GetTransformData().WorldPosition.getZ(), 4.0f);
  EXPECT_TRUE(VecNear(transform->GetTransformData().mTranslation.getTranslation(), Vector3(1, 2, 3)));
  transform->SetWorldPosition(Vector3(1, 2, 3));

  // GetWoldRotation leaves a changed model turn stale; the world matrix picks it up.
  transform->ModifyModelRotationX(90.0f);
  transform->GetWoldRotation();
  EXPECT_TRUE(transform->GetTransformData().mModelRotationDirty);
  // y -> z by the model turn, z -> x by the world turn.
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(0, 1, 0)), Vector3(2, 2, 3)));
  EXPECT_FALSE(transform->GetTransformData().mModelRotationDirty);

  // Scale factors multiply; angles accumulate without wrapping.
  transform->ModifyWorldScalarX(2.0f);
  transform->ModifyWorldScalarX(2.0f);
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(1, 0, 0)), Vector3(1, 2, -1)));
  transform->ModifyWorldRotationY(630.0f);
  EXPECT_FLOAT_EQ(transform->GetTransformData().WorldRotationAngleY, 720.0f);
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), Matrix4::identity(), 1e-4f));
}

TEST_F(TransformTest, CloneAndCopiedRotationsCarryTheCachedMatrices) {
  auto transform = MakeTransform();
  transform->SetWorldPosition(Vector3(5, 6, 7));
  transform->ModifyWorldRotationZ(30.0f);
  transform->ModifyModelRotationY(90.0f);  // left stale on purpose

  auto clone = std::static_pointer_cast<Transform>(transform->CloneComponent());
  ASSERT_TRUE(clone);
  EXPECT_NE(clone->GetID(), transform->GetID());
  EXPECT_TRUE(MatNear(clone->GetWorldTransform(), transform->GetWorldTransform()));

  auto follower = MakeTransform();
  follower->CopyWorldRotation(*transform);
  EXPECT_TRUE(MatNear(follower->GetWoldRotation(), transform->GetWoldRotation()));
  EXPECT_FLOAT_EQ(follower->GetTransformData().WorldRotationAngleZ, 30.0f);
}

}  // namespace
