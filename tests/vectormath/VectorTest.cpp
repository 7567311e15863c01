#include <gtest/gtest.h>

#include <cmath>

#include "support/VectormathAsserts.h"
#include "vectormath/vectormath_aos.h"

using namespace Vectormath::Aos;
using tidewater_test::VecNear;

TEST(Vector3, CrossIsRightHandedAndPerpendicular) {
  EXPECT_TRUE(VecNear(cross(Vector3::xAxis(), Vector3::yAxis()), Vector3::zAxis()));
  EXPECT_TRUE(VecNear(cross(Vector3::yAxis(), Vector3::zAxis()), Vector3::xAxis()));
  EXPECT_TRUE(VecNear(cross(Vector3::zAxis(), Vector3::xAxis()), Vector3::yAxis()));

  // A camera derives look-at from up x right; swapping the operands flips it.
  const Vector3 up(0.0f, 1.0f, 0.0f);
  const Vector3 right(1.0f, 0.0f, 0.0f);
  EXPECT_TRUE(VecNear(cross(up, right), Vector3(0.0f, 0.0f, -1.0f)));
  EXPECT_TRUE(VecNear(cross(right, up), -cross(up, right)));

  const Vector3 a(1.5f, -2.0f, 0.25f);
  const Vector3 b(-0.5f, 3.0f, 4.0f);
  const Vector3 c = cross(a, b);
  EXPECT_NEAR(dot(c, a), 0.0f, 1e-5f);
  EXPECT_NEAR(dot(c, b), 0.0f, 1e-5f);
  EXPECT_TRUE(VecNear(cross(a, a), Vector3(0.0f)));
}

TEST(Vector3, LengthAndNormalize) {
  const Vector3 v(3.0f, 4.0f, 12.0f);
  EXPECT_FLOAT_EQ(lengthSqr(v), 169.0f);
  EXPECT_FLOAT_EQ(length(v), 13.0f);
  EXPECT_FLOAT_EQ(dot(v, Vector3(1.0f, -1.0f, 2.0f)), 23.0f);

  const Vector3 n = normalize(v);
  EXPECT_NEAR(length(n), 1.0f, 1e-6f);
  EXPECT_TRUE(VecNear(n, Vector3(3.0f, 4.0f, 12.0f) / 13.0f));

  // A follower moving towards its target at a given speed.
  const Vector3 follower(1.0f, 0.0f, 1.0f);
  const Vector3 target(1.0f, 0.0f, 11.0f);
  EXPECT_TRUE(VecNear(normalize(target - follower) * 2.5f, Vector3(0.0f, 0.0f, 2.5f)));

  // No direction to keep: callers must test the length first.
  const Vector3 zero = normalize(Vector3(0.0f));
  EXPECT_TRUE(std::isnan(zero.getX()) && std::isnan(zero.getY()) && std::isnan(zero.getZ()));
}

TEST(Vector3, ArithmeticAndElementAccess) {
  Vector3 v(1.0f, 2.0f, 3.0f);
  v += Vector3(1.0f);
  v *= 2.0f;
  v -= Vector3(0.0f, 0.0f, 8.0f);
  v /= 2.0f;
  EXPECT_TRUE(VecNear(v, Vector3(2.0f, 3.0f, 0.0f)));
  EXPECT_TRUE(VecNear(0.5f * Vector3(2.0f, 4.0f, 6.0f), Vector3(1.0f, 2.0f, 3.0f)));

  // Elements are indexed x, y, z, and the setters chain.
  v.setElem(0, 7.0f).setZ(9.0f);
  v[1] = 8.0f;
  EXPECT_FLOAT_EQ(v.getX(), 7.0f);
  EXPECT_FLOAT_EQ(v.getElem(1), 8.0f);
  EXPECT_FLOAT_EQ(v[2], 9.0f);

  float raw[3] = {};
  storeXYZ(v, raw);
  Vector3 back;
  loadXYZ(back, raw);
  EXPECT_TRUE(VecNear(back, v));

  // Zero where the original leaves garbage; nothing should rely on it, but it
  // must not be garbage either.
  EXPECT_TRUE(VecNear(Vector3(), Vector3(0.0f)));
  EXPECT_TRUE(VecNear(Vector4(), Vector4(0.0f)));
}

TEST(Vector3, PerElementOperations) {
  const Vector3 a(2.0f, -3.0f, 4.0f);
  const Vector3 b(1.0f, 3.0f, -0.5f);
  // Scaling a box size by a transform's scale, axis by axis.
  EXPECT_TRUE(VecNear(mulPerElem(a, b), Vector3(2.0f, -9.0f, -2.0f)));
  EXPECT_TRUE(VecNear(divPerElem(a, b), Vector3(2.0f, -1.0f, -8.0f)));
  EXPECT_TRUE(VecNear(recipPerElem(Vector3(2.0f, 4.0f, -0.5f)), Vector3(0.5f, 0.25f, -2.0f)));
  EXPECT_TRUE(VecNear(sqrtPerElem(Vector3(4.0f, 9.0f, 0.25f)), Vector3(2.0f, 3.0f, 0.5f)));
  EXPECT_TRUE(VecNear(rsqrtPerElem(Vector3(4.0f, 16.0f, 0.25f)), Vector3(0.5f, 0.25f, 2.0f)));
  EXPECT_TRUE(VecNear(absPerElem(a), Vector3(2.0f, 3.0f, 4.0f)));
  EXPECT_TRUE(VecNear(copySignPerElem(Vector3(1.0f), a), Vector3(1.0f, -1.0f, 1.0f)));
  EXPECT_TRUE(VecNear(maxPerElem(a, b), Vector3(2.0f, 3.0f, 4.0f)));
  EXPECT_TRUE(VecNear(minPerElem(a, b), Vector3(1.0f, -3.0f, -0.5f)));
  EXPECT_FLOAT_EQ(maxElem(a), 4.0f);
  EXPECT_FLOAT_EQ(minElem(a), -3.0f);
  EXPECT_FLOAT_EQ(sum(a), 3.0f);
  EXPECT_TRUE(VecNear(select(a, b, false), a));
  EXPECT_TRUE(VecNear(select(a, b, true), b));
}

TEST(Vector3, InterpolationStaysOnTheArc) {
  const Vector3 x = Vector3::xAxis();
  const Vector3 y = Vector3::yAxis();
  EXPECT_TRUE(VecNear(lerp(0.25f, Vector3(0.0f), Vector3(4.0f, 8.0f, -4.0f)), Vector3(1.0f, 2.0f, -1.0f)));

  const float half = std::sqrt(0.5f);
  const Vector3 mid = slerp(0.5f, x, y);
  EXPECT_TRUE(VecNear(mid, Vector3(half, half, 0.0f)));
  EXPECT_NEAR(length(slerp(0.3f, x, y)), 1.0f, 1e-5f);
  // A third of the way round a right angle is 30 degrees.
  EXPECT_TRUE(VecNear(slerp(1.0f / 3.0f, x, y), Vector3(std::cos(0.5235988f), std::sin(0.5235988f), 0.0f)));
  EXPECT_TRUE(VecNear(slerp(0.0f, x, y), x));
  EXPECT_TRUE(VecNear(slerp(1.0f, x, y), y));

  // Nearly parallel vectors take the lerp path and still hit the endpoints.
  const Vector3 nearX = normalize(Vector3(1.0f, 0.01f, 0.0f));
  EXPECT_TRUE(VecNear(slerp(0.0f, x, nearX), x));
  EXPECT_TRUE(VecNear(slerp(1.0f, x, nearX), nearX));
}

TEST(Vector4, HomogeneousConversions) {
  const Vector3 dir(1.0f, 2.0f, 3.0f);
  EXPECT_FLOAT_EQ(Vector4(dir).getW(), 0.0f);
  EXPECT_FLOAT_EQ(Vector4(Point3(dir)).getW(), 1.0f);
  EXPECT_TRUE(VecNear(Vector4(dir, 5.0f).getXYZ(), dir));

  Vector4 colour(0.1f, 0.2f, 0.3f, 0.4f);
  colour.setXYZ(Vector3(1.0f, 0.5f, 0.0f));
  EXPECT_TRUE(VecNear(colour, Vector4(1.0f, 0.5f, 0.0f, 0.4f)));
  EXPECT_FLOAT_EQ(colour[3], 0.4f);

  const Vector4 v(1.0f, -2.0f, 2.0f, -4.0f);
  EXPECT_FLOAT_EQ(length(v), 5.0f);
  EXPECT_NEAR(length(normalize(v)), 1.0f, 1e-6f);
  EXPECT_FLOAT_EQ(maxElem(v), 2.0f);
  EXPECT_FLOAT_EQ(minElem(v), -4.0f);
  EXPECT_TRUE(VecNear(mulPerElem(v, Vector4(2.0f)), v * 2.0f));
  EXPECT_TRUE(VecNear(lerp(0.5f, v, -v), Vector4(0.0f)));
}

TEST(Point3, PositionsAndOffsets) {
  const Point3 player(1.0f, 2.0f, 3.0f);
  const Point3 pickup(4.0f, 6.0f, 3.0f);
  const Vector3 offset = pickup - player;
  EXPECT_TRUE(VecNear(offset, Vector3(3.0f, 4.0f, 0.0f)));
  EXPECT_TRUE(VecNear(player + offset, pickup));
  EXPECT_TRUE(VecNear(pickup - offset, player));
  EXPECT_FLOAT_EQ(dist(player, pickup), 5.0f);
  EXPECT_FLOAT_EQ(distSqr(player, pickup), 25.0f);
  EXPECT_FLOAT_EQ(distFromOrigin(Point3(0.0f, 3.0f, 4.0f)), 5.0f);
  EXPECT_FLOAT_EQ(projection(pickup, Vector3::yAxis()), 6.0f);
  EXPECT_TRUE(VecNear(scale(player, Vector3(2.0f, 0.0f, -1.0f)), Point3(2.0f, 0.0f, -3.0f)));
  EXPECT_TRUE(VecNear(lerp(0.5f, player, pickup), Point3(2.5f, 4.0f, 3.0f)));

  Point3 moving = player;
  moving += Vector3(1.0f);
  moving -= Vector3(0.0f, 0.0f, 2.0f);
  EXPECT_TRUE(VecNear(moving, Point3(2.0f, 3.0f, 2.0f)));
}
