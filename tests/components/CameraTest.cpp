// The Camera as the controller and a renderer use it: first-person turning and
// lifting, walking directions and row-vector view matrices.
#include <gtest/gtest.h>

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

  std::shared_ptr<Object> mObject;
};

TEST_F(CameraTest, ViewMatrixPutsAPointAheadOfTheCameraOnMinusZ) {
  auto camera = MakeCameraAt(Vector3(0, 0, 5));
  EXPECT_TRUE(VecNear(View(*camera, Vector3(0, 0, 4)), Vector3(0, 0, -1)));
  // Right of and above the camera come out as +x and +y.
  EXPECT_TRUE(VecNear(View(*camera, Vector3(2, 3, 5)), Vector3(2, 3, 0)));

  // The view follows the object when it moves.
  mObject->GetComponentAs<Transform>(CT_Transform)->SetWorldPosition(Vector3(1, 0, 0));
  EXPECT_TRUE(VecNear(View(*camera, Vector3(1, 0, -3)), Vector3(0, 0, -3)));
  // Without an owning object the camera sits at the origin.
  EXPECT_TRUE(MatNear(MakeLooseCamera()->GetCameraTransformation(), Matrix4::identity()));
}

TEST_F(CameraTest, TurningNinetyDegreesLooksAlongMinusX) {
  auto camera = MakeCameraAt(Vector3(0, 0, 0));
  const Vector3& look = camera->GetLookAt();  // the stored vector: it follows the turn
  camera->TurnFPCam(90.0f);
  EXPECT_TRUE(VecNear(camera->GetRightVector(), Vector3(0, 0, -1)));
  EXPECT_TRUE(VecNear(look, Vector3(-1, 0, 0)));
  EXPECT_TRUE(VecNear(View(*camera, Vector3(-3, 0, 0)), Vector3(0, 0, -3)));
  EXPECT_TRUE(VecNear(camera->GetStrafeVector(), Vector3(0, 0, -1)));
}

TEST_F(CameraTest, LiftingStopsAtStraightUpAndStraightDown) {
  auto camera = MakeLooseCamera();
  camera->LiftFPCam(90.0f);
  // Further up would tip the up vector below the horizon: it is held there.
  camera->LiftFPCam(10.0f);
  EXPECT_TRUE(VecNear(camera->GetUpVector(), Vector3(0, 0, 1)));
  EXPECT_TRUE(VecNear(camera->GetLookAt(), Vector3(0, 1, 0)));
  // Looking straight up, walking still goes where the view pointed before.
  EXPECT_TRUE(VecNear(camera->GetForwardVector(), Vector3(0, 0, -1)));

  auto down = MakeLooseCamera();
  down->LiftFPCam(-120.0f);
  EXPECT_TRUE(VecNear(down->GetLookAt(), Vector3(0, -1, 0)));
  EXPECT_TRUE(VecNear(down->GetUpVector(), Vector3(0, 0, -1)));
  EXPECT_TRUE(VecNear(down->GetForwardVector(), Vector3(0, 0, -1)));

  // A free pitch, unlike a lift, goes over the top.
  auto pitch = MakeLooseCamera();
  pitch->RotatePitch(90.0f);
  pitch->RotatePitch(90.0f);
  EXPECT_TRUE(VecNear(pitch->GetLookAt(), Vector3(0, 0, 1)));
  EXPECT_TRUE(VecNear(pitch->GetUpVector(), Vector3(0, -1, 0)));
}

TEST_F(CameraTest, WalkingDirectionStaysLevelWhileLookingUp) {
  auto camera = MakeLooseCamera();
  camera->TurnFPCam(45.0f);
  camera->LiftFPCam(30.0f);
  EXPECT_NEAR(camera->GetLookAt().getY(), 0.5f, 1e-5f);
  EXPECT_NEAR(dot(camera->GetLookAt(), camera->GetUpVector()), 0.0f, 1e-5f);
  const float half = 0.70710677f;
  EXPECT_TRUE(VecNear(camera->GetForwardVector(), Vector3(-half, 0, -half)));
  EXPECT_TRUE(VecNear(camera->GetStrafeVector(), Vector3(half, 0, -half)));
}

}  // namespace
