#include <gtest/gtest.h>

#include "support/VectormathAsserts.h"
#include "vectormath/vectormath_aos.h"

using namespace Vectormath::Aos;
using tidewater_test::MatNear;
using tidewater_test::VecNear;

namespace {
constexpr float kDegToRad = 0.017453292f;
}  // namespace

TEST(Quat, DescribesTheSameRotationAsTheMatrix) {
  const Vector3 axes[] = {Vector3::xAxis(), Vector3::yAxis(), Vector3::zAxis(), normalize(Vector3(1.0f, -2.0f, 3.0f))};
  const float angles[] = {0.3f, -1.2f, 2.9f};
  const Vector3 v(0.5f, -1.0f, 2.0f);
  for (const Vector3& axis : axes) {
    for (float angle : angles) {
      const Quat q = Quat::rotation(angle, axis);
      EXPECT_NEAR(length(q), 1.0f, 1e-6f);
      EXPECT_TRUE(MatNear(Matrix3(q), Matrix3::rotation(angle, axis)));
      EXPECT_TRUE(MatNear(Matrix4::rotation(q), Matrix4::rotation(angle, axis)));
      EXPECT_TRUE(VecNear(rotate(q, v), Matrix3::rotation(angle, axis) * v));
    }
  }
  EXPECT_TRUE(MatNear(Matrix3(Quat::rotationX(0.8f)), Matrix3::rotationX(0.8f)));
  EXPECT_TRUE(MatNear(Matrix3(Quat::rotationY(0.8f)), Matrix3::rotationY(0.8f)));
  EXPECT_TRUE(MatNear(Matrix3(Quat::rotationZ(0.8f)), Matrix3::rotationZ(0.8f)));
  EXPECT_TRUE(MatNear(Matrix3(Quat::identity()), Matrix3::identity()));

  const Matrix4 placed(Quat::rotationY(0.8f), Vector3(1.0f, 2.0f, 3.0f));
  EXPECT_TRUE(MatNear(placed, Matrix4::translation(Vector3(1.0f, 2.0f, 3.0f)) * Matrix4::rotationY(0.8f)));
}

TEST(Quat, RecoveredFromAnyRotationMatrix) {
  // Small angles, and half turns about each axis, where a different element
  // of the quaternion is the largest.
  const Matrix3 rotations[] = {
      Matrix3::rotationZYX(Vector3(0.1f, 0.2f, 0.3f)),
      Matrix3::rotation(170.0f * kDegToRad, Vector3::xAxis()),
      Matrix3::rotation(170.0f * kDegToRad, Vector3::yAxis()),
      Matrix3::rotation(170.0f * kDegToRad, Vector3::zAxis()),
      Matrix3::rotationX(180.0f * kDegToRad),
      Matrix3::rotation(3.0f, normalize(Vector3(-1.0f, 1.0f, 2.0f))),
  };
  for (const Matrix3& m : rotations) {
    const Quat q(m);
    EXPECT_NEAR(length(q), 1.0f, 1e-5f);
    EXPECT_TRUE(MatNear(Matrix3(q), m));
  }
}

TEST(Quat, ComposesAndInverts) {
  const Quat a = Quat::rotation(0.9f, normalize(Vector3(1.0f, 1.0f, 0.0f)));
  const Quat b = Quat::rotationZ(-0.4f);
  const Vector3 v(3.0f, -1.0f, 2.0f);
  // a * b turns by b first.
  EXPECT_TRUE(VecNear(rotate(a * b, v), rotate(a, rotate(b, v))));
  EXPECT_TRUE(MatNear(Matrix3(a * b), Matrix3(a) * Matrix3(b)));
  Quat c = a;
  c *= b;
  EXPECT_TRUE(VecNear(c, a * b));

  EXPECT_TRUE(VecNear(rotate(conj(a), rotate(a, v)), v));
  EXPECT_TRUE(VecNear(a * conj(a), Quat::identity()));

  // The shortest arc from one direction to another.
  const Vector3 from = normalize(Vector3(1.0f, 2.0f, -0.5f));
  const Vector3 to = normalize(Vector3(-3.0f, 0.5f, 1.0f));
  EXPECT_TRUE(VecNear(rotate(Quat::rotation(from, to), from), to));
  EXPECT_TRUE(VecNear(rotate(Quat::rotation(from, to), cross(from, to)), cross(from, to)));
}

TEST(Quat, SlerpTakesTheShorterWay) {
  const Quat start = Quat::identity();
  const Quat end = Quat::rotationY(90.0f * kDegToRad);
  EXPECT_TRUE(VecNear(slerp(0.5f, start, end), Quat::rotationY(45.0f * kDegToRad)));
  EXPECT_TRUE(VecNear(slerp(0.0f, start, end), start));
  EXPECT_TRUE(VecNear(slerp(1.0f, start, end), end));

  // -end is the same orientation; the blend must not swing the long way round.
  EXPECT_TRUE(MatNear(Matrix3(slerp(0.5f, start, -end)), Matrix3::rotationY(45.0f * kDegToRad)));

  // Nearly equal orientations fall back to a lerp and still hit the endpoints.
  const Quat close = Quat::rotationY(0.01f);
  EXPECT_TRUE(VecNear(slerp(1.0f, start, close), close));

  EXPECT_TRUE(VecNear(squad(0.3f, end, end, end, end), end));
  EXPECT_TRUE(VecNear(squad(0.0f, start, end, end, end), start));
  EXPECT_TRUE(VecNear(lerp(0.5f, Quat(0.0f), Quat(2.0f, 4.0f, 6.0f, 8.0f)), Quat(1.0f, 2.0f, 3.0f, 4.0f)));
}

TEST(Quat, NormIsTheSquaredLength) {
  // Kept from the original library; easy to misread as the length.
  const Quat q(1.0f, 2.0f, 2.0f, 4.0f);
  EXPECT_FLOAT_EQ(norm(q), 25.0f);
  EXPECT_FLOAT_EQ(length(q), 5.0f);
  EXPECT_TRUE(VecNear(normalize(q), Quat(0.2f, 0.4f, 0.4f, 0.8f)));
  EXPECT_FLOAT_EQ(dot(q, Quat::identity()), 4.0f);
  EXPECT_TRUE(VecNear(Quat(Vector4(q)), q));
  EXPECT_TRUE(VecNear(Quat(q.getXYZ(), q.getW()), q));
}
