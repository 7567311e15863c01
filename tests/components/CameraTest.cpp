// The Camera as the controller and a renderer use it: first-person turning and
// lifting, walking directions and row-vector view matrices.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>

#include "components/Camera.h"
#include "components/Transform.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

using tidewater_test::MatNear;
using tidewater_test::VecNear;
using Vectormath::Aos::Matrix4;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

class CameraTest : public EngineFixture {
 protected:
  // A player-like object: a Transform at `position` and a Camera.
  std::shared_ptr<Camera> MakeCameraAt(const Vector3& position) {
    mObject = Engine::mFactory.CreateGenericObject().lock();
    Engine::mFactory.GiveObjectComponent(mObject, L"Transform");
    Engine::mFactory.GiveObjectComponent(mObject, L"Camera");
    mObject->Initialize();
    mObject->GetComponentAs<Transform>(CT_Transform)->SetWorldPosition(position);
    return mObject->GetComponentAs<Camera>(CT_Camera);
  }

  static std::shared_ptr<Camera> MakeLooseCamera() {
    return std::static_pointer_cast<Camera>(Engine::mFactory.CreateComponent(L"Camera"));
  }

  // The renderer's convention: a point p maps to p x M.
  static Vector3 View(const Camera& camera, const Vector3& point) {
    return (transpose(camera.GetCameraTransformation()) * Vector4(point, 1.0f)).getXYZ();
  }

  static ::testing::AssertionResult IsOrthonormal(const Camera& camera) {
    const Vector3 look = camera.GetLookAt(), right = camera.GetRightVector(), up = camera.GetUpVector();
    const float tolerance = 1e-5f;
    for (float value : {length(look) - 1.0f, length(right) - 1.0f, length(up) - 1.0f, dot(look, right),
                        dot(look, up), dot(right, up)}) {
      if (!(std::fabs(value) <= tolerance)) return ::testing::AssertionFailure() << "basis is off by " << value;
    }
    return ::testing::AssertionSuccess();
  }

  std::shared_ptr<Object> mObject;
};

TEST_F(CameraTest, NewCameraLooksDownMinusZWithTheDefaultViewport) {
  auto camera = MakeLooseCamera();
  ASSERT_TRUE(camera);
  EXPECT_EQ(camera->GetType(), CT_Camera);
  EXPECT_TRUE(VecNear(camera->GetLookAt(), Vector3(0, 0, -1)));
  EXPECT_TRUE(VecNear(camera->GetRightVector(), Vector3(1, 0, 0)));
  EXPECT_TRUE(VecNear(camera->GetUpVector(), Vector3(0, 1, 0)));
  EXPECT_EQ(camera->GetCameraWidth(), 900u);
  EXPECT_EQ(camera->GetCameraHeight(), 740u);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(camera->GetCameraFOV()), 0x3FA0D97Cu);
  EXPECT_FLOAT_EQ(camera->GetCameraNear(), 0.01f);
  EXPECT_FLOAT_EQ(camera->GetCameraFar(), 1000.0f);
  EXPECT_FALSE(camera->GetDidChange());
}

TEST_F(CameraTest, ViewMatrixPutsAPointAheadOfTheCameraOnMinusZ) {
  EXPECT_TRUE(MatNear(MakeCameraAt(Vector3(0, 0, 0))->GetCameraTransformation(), Matrix4::identity()));

  auto camera = MakeCameraAt(Vector3(0, 0, 5));
  EXPECT_TRUE(VecNear(View(*camera, Vector3(0, 0, 4)), Vector3(0, 0, -1)));
  // Right of and above the camera come out as +x and +y.
  EXPECT_TRUE(VecNear(View(*camera, Vector3(2, 3, 5)), Vector3(2, 3, 0)));

  // The view follows the object when it moves.
  mObject->GetComponentAs<Transform>(CT_Transform)->SetWorldPosition(Vector3(1, 0, 0));
  EXPECT_TRUE(VecNear(View(*camera, Vector3(1, 0, -3)), Vector3(0, 0, -3)));
}

TEST_F(CameraTest, CameraWithoutAnOwningTransformSitsAtTheOrigin) {
  auto loose = MakeLooseCamera();
  EXPECT_TRUE(MatNear(loose->GetInverseTranslationalTransformation(), Matrix4::identity()));

  auto object = Engine::mFactory.CreateGenericObject().lock();
  Engine::mFactory.GiveObjectComponent(object, L"Camera");
  object->Initialize();
  auto camera = object->GetComponentAs<Camera>(CT_Camera);
  EXPECT_TRUE(MatNear(camera->GetCameraTransformation(), camera->GetInverseOrthogonalTransformation()));
}

TEST_F(CameraTest, TurningNinetyDegreesLooksAlongMinusX) {
  auto camera = MakeCameraAt(Vector3(0, 0, 0));
  camera->TurnFPCam(90.0f);
  EXPECT_TRUE(VecNear(camera->GetRightVector(), Vector3(0, 0, -1)));
  EXPECT_TRUE(VecNear(camera->GetLookAt(), Vector3(-1, 0, 0)));
  EXPECT_TRUE(VecNear(camera->GetUpVector(), Vector3(0, 1, 0)));
  EXPECT_TRUE(VecNear(View(*camera, Vector3(-3, 0, 0)), Vector3(0, 0, -3)));
  EXPECT_TRUE(VecNear(camera->GetForwardVector(), Vector3(-1, 0, 0)));
  EXPECT_TRUE(VecNear(camera->GetStrafeVector(), Vector3(0, 0, -1)));

  // Turning back restores the start.
  camera->TurnFPCam(-90.0f);
  EXPECT_TRUE(VecNear(camera->GetLookAt(), Vector3(0, 0, -1)));
}

TEST_F(CameraTest, LiftingStopsAtStraightUpAndStraightDown) {
  auto camera = MakeLooseCamera();
  camera->LiftFPCam(90.0f);
  EXPECT_TRUE(VecNear(camera->GetUpVector(), Vector3(0, 0, 1)));
  EXPECT_TRUE(VecNear(camera->GetLookAt(), Vector3(0, 1, 0)));

  // Further up would tip the up vector below the horizon: it is held there.
  camera->LiftFPCam(10.0f);
  EXPECT_TRUE(VecNear(camera->GetUpVector(), Vector3(0, 0, 1)));
  EXPECT_TRUE(VecNear(camera->GetLookAt(), Vector3(0, 1, 0)));
  EXPECT_TRUE(VecNear(camera->GetRightVector(), Vector3(1, 0, 0)));
  // Looking straight up, walking still goes where the view pointed before.
  EXPECT_TRUE(VecNear(camera->GetForwardVector(), Vector3(0, 0, -1)));

  auto down = MakeLooseCamera();
  down->LiftFPCam(-120.0f);
  EXPECT_TRUE(VecNear(down->GetLookAt(), Vector3(0, -1, 0)));
  EXPECT_TRUE(VecNear(down->GetUpVector(), Vector3(0, 0, -1)));
  EXPECT_TRUE(VecNear(down->GetForwardVector(), Vector3(0, 0, -1)));
}

TEST_F(CameraTest, WalkingDirectionStaysLevelWhileLookingUpOrDown) {
  auto camera = MakeLooseCamera();
  camera->TurnFPCam(45.0f);
  camera->LiftFPCam(30.0f);
  EXPECT_TRUE(IsOrthonormal(*camera));
  EXPECT_GT(camera->GetLookAt().getY(), 0.4f);
  const Vector3 forward = camera->GetForwardVector();
  EXPECT_FLOAT_EQ(forward.getY(), 0.0f);
  EXPECT_NEAR(length(forward), 1.0f, 1e-6f);
  const float half = 0.70710677f;
  EXPECT_TRUE(VecNear(forward, Vector3(-half, 0, -half)));
  EXPECT_TRUE(VecNear(camera->GetStrafeVector(), Vector3(half, 0, -half)));
}

TEST_F(CameraTest, FreeRotationsTurnTheBasisAboutItsOwnAxes) {
  auto yaw = MakeLooseCamera();
  yaw->RotateYaw(90.0f);
  EXPECT_TRUE(VecNear(yaw->GetLookAt(), Vector3(-1, 0, 0)));
  EXPECT_TRUE(VecNear(yaw->GetRightVector(), Vector3(0, 0, -1)));

  auto pitch = MakeLooseCamera();
  pitch->RotatePitch(90.0f);
  EXPECT_TRUE(VecNear(pitch->GetLookAt(), Vector3(0, 1, 0)));
  EXPECT_TRUE(VecNear(pitch->GetUpVector(), Vector3(0, 0, 1)));

  // Unlike LiftFPCam, a free pitch goes over the top.
  pitch->RotatePitch(90.0f);
  EXPECT_TRUE(VecNear(pitch->GetLookAt(), Vector3(0, 0, 1)));

  auto roll = MakeLooseCamera();
  roll->RotateRoll(90.0f);
  EXPECT_TRUE(VecNear(roll->GetRightVector(), Vector3(0, -1, 0)));
  EXPECT_TRUE(VecNear(roll->GetUpVector(), Vector3(1, 0, 0)));
  EXPECT_TRUE(VecNear(roll->GetLookAt(), Vector3(0, 0, -1)));
  EXPECT_TRUE(IsOrthonormal(*roll));
}

TEST_F(CameraTest, OnlyViewportSizeChangesRaiseTheChangeFlag) {
  auto camera = MakeLooseCamera();
  camera->SetCameraFOV(1.0f);
  camera->SetCameraNear(0.5f);
  camera->SetCameraFar(50.0f);
  EXPECT_FALSE(camera->GetDidChange());
  EXPECT_FLOAT_EQ(camera->GetCameraFOV(), 1.0f);

  camera->SetCameraWidth(1280);
  EXPECT_TRUE(camera->GetDidChange());
  camera->SetDidChange(false);
  camera->SetCameraHeight(720);
  EXPECT_TRUE(camera->GetDidChange());
  EXPECT_EQ(camera->GetCameraWidth(), 1280u);
  EXPECT_EQ(camera->GetCameraHeight(), 720u);
}

TEST_F(CameraTest, CloneCopiesTheViewAndTheChangeFlag) {
  auto camera = MakeLooseCamera();
  camera->TurnFPCam(30.0f);
  camera->SetCameraWidth(640);
  camera->SetCameraFar(20.0f);

  auto clone = std::static_pointer_cast<Camera>(camera->CloneComponent());
  ASSERT_TRUE(clone);
  EXPECT_NE(clone->GetID(), camera->GetID());
  EXPECT_TRUE(VecNear(clone->GetLookAt(), camera->GetLookAt()));
  EXPECT_TRUE(VecNear(clone->GetRightVector(), camera->GetRightVector()));
  EXPECT_EQ(clone->GetCameraWidth(), 640u);
  EXPECT_FLOAT_EQ(clone->GetCameraFar(), 20.0f);
  EXPECT_TRUE(clone->GetDidChange());
}

}  // namespace
