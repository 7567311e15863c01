// The Transform as a renderer and gameplay code use it: world matrices applied
// to model points, lazily rebuilt rotations, scale changes and cloning.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "components/Transform.h"
#include "meta/MetaData.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

using tidewater_test::MatNear;
using tidewater_test::VecNear;
using Vectormath::Aos::Matrix4;
using Vectormath::Aos::Point3;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

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

  // Writes a float member of TransformData the way the file reader does:
  // through the reflection records, bypassing every setter.
  static void WriteAngleLikeAFile(Transform& transform, const char* name, float value) {
    const META::Member* data = Transform::meta_.FindMember("transformData");
    const META::Member* angle = TransformData::meta_.FindMember(name);
    ASSERT_NE(data, nullptr);
    ASSERT_NE(angle, nullptr);
    auto* bytes = reinterpret_cast<unsigned char*>(&transform);
    std::memcpy(bytes + data->Offset() + angle->Offset(), &value, sizeof value);
  }
};

TEST_F(TransformTest, NewTransformPlacesTheModelUnchanged) {
  auto transform = MakeTransform();
  ASSERT_TRUE(transform);
  EXPECT_EQ(transform->GetType(), CT_Transform);
  EXPECT_TRUE(MatNear(transform->GetWorldTransform(), Matrix4::identity()));
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), Matrix4::identity()));
  EXPECT_TRUE(VecNear(transform->GetScale(), Vector3(1.0f)));
  EXPECT_TRUE(VecNear(transform->GetPosition(), Vector3(0.0f)));
  EXPECT_TRUE(VecNear(transform->GetOrigin(), Vector3(0.0f)));
  EXPECT_FALSE(transform->GetTransformData().mWorldRotationDirty);
  EXPECT_FALSE(transform->GetTransformData().mModelRotationDirty);
}

TEST_F(TransformTest, QuarterTurnAboutYCarriesTheModelXAxisOntoMinusZ) {
  auto world = MakeTransform();
  world->ModifyWorldRotationY(90.0f);
  EXPECT_TRUE(VecNear(Place(*world, Vector3(1, 0, 0)), Vector3(0, 0, -1)));

  // The model rotation alone gives the same turn while position and origin are zero.
  auto model = MakeTransform();
  model->ModifyModelRotationY(90.0f);
  EXPECT_TRUE(MatNear(model->GetWorldTransform(), world->GetWorldTransform()));
}

TEST_F(TransformTest, RotationsApplyXFirstThenYThenZ) {
  auto transform = MakeTransform();
  transform->ModifyWorldRotationX(90.0f);
  transform->ModifyWorldRotationZ(90.0f);
  // y turns to z about x; z is untouched by the turn about z.
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(0, 1, 0)), Vector3(0, 0, 1)));
  // x stays under the turn about x, then goes to y about z.
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(1, 0, 0)), Vector3(0, 1, 0)));
}

TEST_F(TransformTest, WorldRotationPivotsAboutTheOffsetOrigin) {
  auto transform = MakeTransform();
  transform->SetWorldOrigin(Vector3(0, 0, 1));
  transform->ModifyWorldRotationY(180.0f);
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(0, 0, 0)), Vector3(0, 0, -2)));
}

TEST_F(TransformTest, ScaleThenModelTurnThenPivotedWorldTurnThenPosition) {
  auto transform = MakeTransform();
  transform->SetWorldScalar(Vector3(2, 1, 1));
  transform->ModifyModelRotationY(90.0f);
  transform->SetWorldOrigin(Vector3(0, 0, 1));
  transform->ModifyWorldRotationY(180.0f);
  transform->SetWorldPosition(Vector3(10, 0, 0));
  // (1,1,0) -> scaled (2,1,0) -> model turn (0,1,-2) -> +origin (0,1,-1)
  // -> world turn (0,1,1) -> -origin (0,1,0) -> placed (10,1,0).
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(1, 1, 0)), Vector3(10, 1, 0)));
}

TEST_F(TransformTest, MovingLeavesTheRotationAloneAndShowsInTheNextWorldMatrix) {
  auto transform = MakeTransform();
  transform->ModifyWorldRotationZ(90.0f);
  const Matrix4 rotation = transform->GetWoldRotation();

  transform->SetWorldPosition(Vector3(1, 2, 3));
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), rotation));
  EXPECT_TRUE(VecNear(transform->GetWorldTransform().getTranslation(), Vector3(1, 2, 3)));
  EXPECT_TRUE(VecNear(transform->GetPosition(), Vector3(1, 2, 3)));
}

TEST_F(TransformTest, ChangedAnglesAreRebuiltOnTheNextRead) {
  auto transform = MakeTransform();
  transform->ModifyWorldRotationY(45.0f);
  EXPECT_TRUE(transform->GetTransformData().mWorldRotationDirty);
  transform->ModifyWorldRotationY(45.0f);
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), Matrix4::rotationY(1.5707963f)));
  EXPECT_FALSE(transform->GetTransformData().mWorldRotationDirty);

  // GetWoldRotation refreshes only the world rotation; the world matrix the model one too.
  transform->ModifyModelRotationX(90.0f);
  transform->GetWoldRotation();
  EXPECT_TRUE(transform->GetTransformData().mModelRotationDirty);
  // y -> z by the model turn, z -> x by the world turn.
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(0, 1, 0)), Vector3(1, 0, 0)));
  EXPECT_FALSE(transform->GetTransformData().mModelRotationDirty);

  // UpdateMatrices refreshes everything at once.
  transform->ModifyModelRotationX(-90.0f);
  transform->UpdateMatrices();
  EXPECT_FALSE(transform->GetTransformData().mModelRotationDirty);
  EXPECT_TRUE(MatNear(transform->GetTransformData().mWorldTransform, Matrix4::rotationY(1.5707963f)));
}

TEST_F(TransformTest, AnglesReadFromAFileTakeEffectOnceInitialized) {
  auto transform = MakeTransform();
  WriteAngleLikeAFile(*transform, "WorldRotationAngleY", 90.0f);
  // The cache is stale until Initialize, as after the reader fills the fields.
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), Matrix4::identity()));
  transform->Initialize();
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(1, 0, 0)), Vector3(0, 0, -1)));
}

TEST_F(TransformTest, ScaleFactorsMultiplyAndAnglesAccumulateWithoutWrapping) {
  auto transform = MakeTransform();
  transform->ModifyWorldScalarX(2.0f);
  transform->ModifyWorldScalarX(2.0f);
  transform->ModifyWorldScalarY(0.5f);
  transform->ModifyWorldScalarZ(3.0f);
  EXPECT_TRUE(VecNear(transform->GetScale(), Vector3(4, 0.5f, 3)));
  EXPECT_TRUE(VecNear(Place(*transform, Vector3(1, 1, 1)), Vector3(4, 0.5f, 3)));

  transform->ModifyWorldRotationX(360.0f);
  transform->ModifyWorldRotationX(360.0f);
  EXPECT_FLOAT_EQ(transform->GetTransformData().WorldRotationAngleX, 720.0f);
  EXPECT_TRUE(MatNear(transform->GetWoldRotation(), Matrix4::identity(), 1e-4f));
}

TEST_F(TransformTest, CopyWorldRotationTakesTheCachedMatrixAndAngles) {
  auto source = MakeTransform();
  source->ModifyWorldRotationZ(30.0f);
  const Matrix4 sourceRotation = source->GetWoldRotation();

  auto target = MakeTransform();
  target->CopyWorldRotation(*source);
  EXPECT_TRUE(MatNear(target->GetWoldRotation(), sourceRotation));
  EXPECT_FLOAT_EQ(target->GetTransformData().WorldRotationAngleZ, 30.0f);

  // A stale source hands over its stale matrix; its dirty flag is not copied.
  auto stale = MakeTransform();
  stale->ModifyWorldRotationZ(90.0f);
  auto copier = MakeTransform();
  copier->CopyWorldRotation(*stale);
  EXPECT_FALSE(copier->GetTransformData().mWorldRotationDirty);
  EXPECT_TRUE(MatNear(copier->GetWoldRotation(), Matrix4::identity()));
  EXPECT_FLOAT_EQ(copier->GetTransformData().WorldRotationAngleZ, 90.0f);
}

TEST_F(TransformTest, CloneCopiesPlacementAndCacheButGetsItsOwnId) {
  auto object = Engine::mFactory.CreateGenericObject().lock();
  Engine::mFactory.GiveObjectComponent(object, L"Transform");
  object->Initialize();
  auto transform = object->GetComponentAs<Transform>(CT_Transform);
  transform->SetWorldPosition(Vector3(5, 6, 7));
  transform->SetWorldScalar(Vector3(2, 2, 2));
  transform->ModifyModelRotationY(90.0f);  // left dirty on purpose

  auto clone = std::static_pointer_cast<Transform>(transform->CloneComponent());
  ASSERT_TRUE(clone);
  EXPECT_NE(clone->GetID(), transform->GetID());
  EXPECT_EQ(clone->GetType(), CT_Transform);
  EXPECT_TRUE(clone->GetParent().expired());
  EXPECT_TRUE(clone->GetTransformData().mModelRotationDirty);
  EXPECT_TRUE(MatNear(clone->GetWorldTransform(), transform->GetWorldTransform()));
  EXPECT_TRUE(VecNear(clone->GetPosition(), Vector3(5, 6, 7)));

  // The two are independent afterwards.
  clone->SetWorldPosition(Vector3(0, 0, 0));
  EXPECT_TRUE(VecNear(transform->GetPosition(), Vector3(5, 6, 7)));
}

}  // namespace
