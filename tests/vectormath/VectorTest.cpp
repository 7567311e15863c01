#include <gtest/gtest.h>

#include <cmath>

#include "support/VectormathAsserts.h"
#include "vectormath/vectormath_aos.h"

using namespace Vectormath::Aos;
using tidewater_test::VecNear;

TEST(Vector3, CrossIsRightHandedAndPerpendicular) {
  EXPECT_TRUE(VecNear(cross(Vector3::xAxis(), Vector3::yAxis()), Vector3::zAxis()));
  EXPECT_TRUE(VecNear(cross(Vector3::zAxis(), Vector3::xAxis()), Vector3::yAxis()));
  // A camera derives look-at from up x right.
  EXPECT_TRUE(VecNear(cross(Vector3::yAxis(), Vector3::xAxis()), Vector3(0.0f, 0.0f, -1.0f)));

  const Vector3 a(1.5f, -2.0f, 0.25f);
  const Vector3 b(-0.5f, 3.0f, 4.0f);
  EXPECT_NEAR(dot(cross(a, b), a), 0.0f, 1e-5f);
  EXPECT_NEAR(dot(cross(a, b), b), 0.0f, 1e-5f);
}

TEST(Vector3, LengthAndNormalize) {
  const Vector3 v(3.0f, 4.0f, 12.0f);
  EXPECT_FLOAT_EQ(lengthSqr(v), 169.0f);
  EXPECT_FLOAT_EQ(length(v), 13.0f);
  EXPECT_FLOAT_EQ(dot(v, Vector3(1.0f, -1.0f, 2.0f)), 23.0f);
  EXPECT_TRUE(VecNear(normalize(v), Vector3(3.0f, 4.0f, 12.0f) / 13.0f));

  // No direction to keep: callers must test the length first.
  const Vector3 zero = normalize(Vector3(0.0f));
  EXPECT_TRUE(std::isnan(zero.getX()) && std::isnan(zero.getY()) && std::isnan(zero.getZ()));
}

TEST(Vector3, ArithmeticElementAccessAndHomogeneousForms) {
  Vector3 v(1.0f, 2.0f, 3.0f);
  v += Vector3(1.0f);
  v *= 2.0f;
  v -= Vector3(0.0f, 0.0f, 8.0f);
  v /= 2.0f;
  EXPECT_TRUE(VecNear(v, Vector3(2.0f, 3.0f, 0.0f)));
  // Scaling a box size by a transform's scale, axis by axis.
  EXPECT_TRUE(VecNear(mulPerElem(Vector3(2.0f, -3.0f, 4.0f), Vector3(1.0f, 3.0f, -0.5f)), Vector3(2.0f, -9.0f, -2.0f)));

  // Elements are indexed x, y, z, and the setters chain.
  v.setElem(0, 7.0f).setZ(9.0f);
  v[1] = 8.0f;
  EXPECT_TRUE(VecNear(v, Vector3(7.0f, 8.0f, 9.0f)));

  // A direction has w 0, a position w 1.
  EXPECT_TRUE(VecNear(Vector4(v), Vector4(7.0f, 8.0f, 9.0f, 0.0f)));
  EXPECT_TRUE(VecNear(Vector4(Point3(v)), Vector4(7.0f, 8.0f, 9.0f, 1.0f)));
  EXPECT_TRUE(VecNear(Vector4(v, 5.0f).getXYZ(), v));
  // Zero where the original leaves garbage; nothing should rely on it, but it
  // must not be garbage either.
  EXPECT_TRUE(VecNear(Vector3(), Vector3(0.0f)));
}
