#include <gtest/gtest.h>

#include "support/VectormathAsserts.h"
#include "vectormath/vectormath_aos.h"

using namespace Vectormath::Aos;
using tidewater_test::MatNear;
using tidewater_test::VecNear;

namespace {
constexpr float kQuarterTurn = 1.5707963f;
}  // namespace

TEST(Matrix4, ColumnMajorWithTranslationInTheLastColumnAppliedToPointsOnly) {
  const Matrix4 m = Matrix4::translation(Vector3(5.0f, 6.0f, 7.0f));
  EXPECT_FLOAT_EQ(m.getElem(3, 0), 5.0f);  // column 3, row 0
  EXPECT_FLOAT_EQ(m.getElem(0, 3), 0.0f);
  EXPECT_TRUE(VecNear(m.getRow(0), Vector4(1.0f, 0.0f, 0.0f, 5.0f)));
  EXPECT_TRUE(VecNear(m.getTranslation(), Vector3(5.0f, 6.0f, 7.0f)));
  EXPECT_TRUE(VecNear(m * Point3(1.0f, 1.0f, 1.0f), Vector4(6.0f, 7.0f, 8.0f, 1.0f)));
  EXPECT_TRUE(VecNear(m * Vector3(1.0f, 1.0f, 1.0f), Vector4(1.0f, 1.0f, 1.0f, 0.0f)));

  Matrix4 n = Matrix4::identity();
  n.setRow(3, Vector4(-1.0f, -2.0f, -3.0f, 1.0f)).setElem(1, 0, 9.0f);
  EXPECT_TRUE(VecNear(n.getCol0(), Vector4(1.0f, 0.0f, 0.0f, -1.0f)));
  EXPECT_TRUE(VecNear(n.getCol1(), Vector4(9.0f, 1.0f, 0.0f, -2.0f)));
}

TEST(Matrix4, RotationsAreRightHandedAndZYXTurnsAboutXFirst) {
  // A model turned 90 degrees about y faces its x axis along -z.
  EXPECT_TRUE(VecNear((Matrix4::rotationY(kQuarterTurn) * Vector3::xAxis()).getXYZ(), Vector3(0.0f, 0.0f, -1.0f)));
  EXPECT_TRUE(VecNear((Matrix4::rotationX(kQuarterTurn) * Vector3::yAxis()).getXYZ(), Vector3::zAxis()));
  EXPECT_TRUE(VecNear((Matrix4::rotationZ(kQuarterTurn) * Vector3::xAxis()).getXYZ(), Vector3::yAxis()));
  // The camera turns about arbitrary axes with the axis-angle form.
  EXPECT_TRUE(MatNear(Matrix3::rotation(-1.3f, Vector3::yAxis()), Matrix3::rotationY(-1.3f)));
  EXPECT_TRUE(VecNear(Matrix3::rotation(2.0943952f, normalize(Vector3(1.0f))) * Vector3::xAxis(), Vector3::yAxis()));

  const Vector3 angles(0.3f, -1.1f, 2.4f);
  EXPECT_TRUE(MatNear(
      Matrix4::rotationZYX(angles),
      Matrix4::rotationZ(angles.getZ()) * Matrix4::rotationY(angles.getY()) * Matrix4::rotationX(angles.getX())));
  // y turned about x goes to z, which then turns about y to x; the other
  // order would leave it on z.
  EXPECT_TRUE(
      VecNear(Matrix3::rotationZYX(Vector3(kQuarterTurn, kQuarterTurn, 0.0f)) * Vector3::yAxis(), Vector3::xAxis()));
}

TEST(Matrix4, InverseUndoesTheMatrix) {
  // No special structure, so no shortcut can pass.
  const Matrix4 general(Vector4(2.0f, 0.5f, -1.0f, 0.25f), Vector4(1.0f, 3.0f, 0.0f, -0.5f),
                        Vector4(0.0f, -2.0f, 4.0f, 1.0f), Vector4(1.5f, 1.0f, -3.0f, 2.0f));
  EXPECT_TRUE(MatNear(inverse(general) * general, Matrix4::identity()));
  EXPECT_TRUE(MatNear(general * inverse(general), Matrix4::identity()));
}

TEST(Matrix4, TransposeServesRowVectorLayouts) {
  // A view matrix laid out for p x M stores the negated position in its last row.
  const Matrix4 viewTranslation = transpose(Matrix4::translation(Vector3(-1.0f, -2.0f, -5.0f)));
  EXPECT_TRUE(VecNear(viewTranslation.getRow(3), Vector4(-1.0f, -2.0f, -5.0f, 1.0f)));
  EXPECT_TRUE(VecNear(viewTranslation.getCol3(), Vector4(0.0f, 0.0f, 0.0f, 1.0f)));
  // p x M is transpose(M) * p.
  EXPECT_TRUE(
      VecNear(transpose(viewTranslation) * Vector4(Point3(1.0f, 2.0f, 4.0f)), Vector4(0.0f, 0.0f, -1.0f, 1.0f)));
  const Matrix3 m = Matrix3::rotationZYX(Vector3(0.1f, 0.2f, 0.3f)) * Matrix3::scale(Vector3(1.0f, 2.0f, 3.0f));
  EXPECT_TRUE(VecNear(transpose(m).getCol1(), m.getRow(1)));
}
