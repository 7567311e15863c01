#include <gtest/gtest.h>

#include "support/VectormathAsserts.h"
#include "vectormath/vectormath_aos.h"

using namespace Vectormath::Aos;
using tidewater_test::MatNear;
using tidewater_test::VecNear;

namespace {
constexpr float kDegToRad = 0.017453292f;

// A matrix with no special structure, to keep inverse honest.
Matrix4 GeneralMatrix() {
  return {Vector4(2.0f, 0.5f, -1.0f, 0.25f), Vector4(1.0f, 3.0f, 0.0f, -0.5f), Vector4(0.0f, -2.0f, 4.0f, 1.0f),
          Vector4(1.5f, 1.0f, -3.0f, 2.0f)};
}
}  // namespace

TEST(Matrix4, StorageIsColumnMajorWithTranslationInTheLastColumn) {
  const Matrix4 m = Matrix4::translation(Vector3(5.0f, 6.0f, 7.0f));
  EXPECT_FLOAT_EQ(m.getElem(3, 0), 5.0f);  // column 3, row 0
  EXPECT_FLOAT_EQ(m.getElem(0, 3), 0.0f);
  EXPECT_TRUE(VecNear(m.getCol3(), Vector4(5.0f, 6.0f, 7.0f, 1.0f)));
  EXPECT_TRUE(VecNear(m[3], m.getCol(3)));
  EXPECT_TRUE(VecNear(m.getRow(0), Vector4(1.0f, 0.0f, 0.0f, 5.0f)));
  EXPECT_TRUE(VecNear(m.getTranslation(), Vector3(5.0f, 6.0f, 7.0f)));

  Matrix4 n = Matrix4::identity();
  n.setRow(3, Vector4(-1.0f, -2.0f, -3.0f, 1.0f)).setElem(1, 0, 9.0f);
  EXPECT_TRUE(VecNear(n.getCol0(), Vector4(1.0f, 0.0f, 0.0f, -1.0f)));
  EXPECT_TRUE(VecNear(n.getCol1(), Vector4(9.0f, 1.0f, 0.0f, -2.0f)));
  EXPECT_TRUE(MatNear(Matrix4(), Matrix4(0.0f)));
}

TEST(Matrix4, PointsMoveWithTheTranslationAndDirectionsDoNot) {
  const Matrix4 m = Matrix4::translation(Vector3(1.0f, 2.0f, 3.0f));
  EXPECT_TRUE(VecNear(m * Point3(1.0f, 1.0f, 1.0f), Vector4(2.0f, 3.0f, 4.0f, 1.0f)));
  EXPECT_TRUE(VecNear(m * Vector3(1.0f, 1.0f, 1.0f), Vector4(1.0f, 1.0f, 1.0f, 0.0f)));
  EXPECT_TRUE(VecNear(m * Vector4(1.0f, 1.0f, 1.0f, 2.0f), Vector4(3.0f, 5.0f, 7.0f, 2.0f)));
}

TEST(Matrix4, RotationsAreRightHanded) {
  const float quarter = 90.0f * kDegToRad;
  // A model turned 90 degrees about y faces its x axis along -z.
  EXPECT_TRUE(VecNear((Matrix4::rotationY(quarter) * Vector3::xAxis()).getXYZ(), Vector3(0.0f, 0.0f, -1.0f)));
  EXPECT_TRUE(VecNear((Matrix4::rotationX(quarter) * Vector3::yAxis()).getXYZ(), Vector3::zAxis()));
  EXPECT_TRUE(VecNear((Matrix4::rotationZ(quarter) * Vector3::xAxis()).getXYZ(), Vector3::yAxis()));

  // The axis-angle form agrees with the principal rotations, and a third of a
  // turn about the diagonal cycles the axes.
  EXPECT_TRUE(MatNear(Matrix4::rotation(0.7f, Vector3::xAxis()), Matrix4::rotationX(0.7f)));
  EXPECT_TRUE(MatNear(Matrix4::rotation(-1.3f, Vector3::yAxis()), Matrix4::rotationY(-1.3f)));
  EXPECT_TRUE(MatNear(Matrix4::rotation(2.1f, Vector3::zAxis()), Matrix4::rotationZ(2.1f)));
  const Matrix3 cycle = Matrix3::rotation(120.0f * kDegToRad, normalize(Vector3(1.0f)));
  EXPECT_TRUE(VecNear(cycle * Vector3::xAxis(), Vector3::yAxis()));
  EXPECT_TRUE(VecNear(cycle * Vector3::yAxis(), Vector3::zAxis()));
  EXPECT_FLOAT_EQ(determinant(cycle), 1.0f);
}

TEST(Matrix4, RotationZYXTurnsAboutXFirstThenYThenZ) {
  const Vector3 angles(0.3f, -1.1f, 2.4f);
  const Matrix4 expected =
      Matrix4::rotationZ(angles.getZ()) * Matrix4::rotationY(angles.getY()) * Matrix4::rotationX(angles.getX());
  EXPECT_TRUE(MatNear(Matrix4::rotationZYX(angles), expected));
  EXPECT_TRUE(MatNear(Matrix3::rotationZYX(angles), expected.getUpper3x3()));

  // y turned about x goes to z, which then turns about y to x; the other
  // order would leave it on z.
  const float quarter = 90.0f * kDegToRad;
  EXPECT_TRUE(VecNear(Matrix3::rotationZYX(Vector3(quarter, quarter, 0.0f)) * Vector3::yAxis(), Vector3::xAxis()));
  EXPECT_TRUE(MatNear(Matrix4::rotationZYX(Vector3(0.0f)), Matrix4::identity()));
}

TEST(Matrix4, ComposesAWorldTransformRightToLeft) {
  const float half = 180.0f * kDegToRad;
  const Vector3 origin(0.0f, 0.0f, 1.0f);
  // Pivoting about -origin: the model's own origin swings from (0, 0, 0) to (0, 0, -2).
  const Matrix4 world = Matrix4::translation(Vector3(0.0f)) * Matrix4::translation(-origin) * Matrix4::rotationY(half) *
                        Matrix4::translation(origin) * Matrix4::identity() * Matrix4::scale(Vector3(1.0f));
  EXPECT_TRUE(VecNear((world * Point3(0.0f)).getXYZ(), Vector3(0.0f, 0.0f, -2.0f)));

  // Scale first, then rotate, then place.
  const Matrix4 placed = Matrix4::translation(Vector3(10.0f, 0.0f, 0.0f)) * Matrix4::rotationZ(90.0f * kDegToRad) *
                         Matrix4::scale(Vector3(2.0f, 1.0f, 1.0f));
  EXPECT_TRUE(VecNear((placed * Point3(1.0f, 0.0f, 0.0f)).getXYZ(), Vector3(10.0f, 2.0f, 0.0f)));

  // The shortcuts equal the full products.
  const Matrix4 r(Matrix3::rotationZYX(Vector3(0.2f, 0.4f, 0.6f)), Vector3(1.0f, -2.0f, 3.0f));
  const Vector3 s(2.0f, 3.0f, 4.0f);
  EXPECT_TRUE(MatNear(appendScale(r, s), r * Matrix4::scale(s)));
  EXPECT_TRUE(MatNear(prependScale(s, r), Matrix4::scale(s) * r));
  EXPECT_TRUE(MatNear(appendScale(r.getUpper3x3(), s), r.getUpper3x3() * Matrix3::scale(s)));
  EXPECT_TRUE(MatNear(prependScale(s, r.getUpper3x3()), Matrix3::scale(s) * r.getUpper3x3()));

  // Replacing the rotation part keeps the translation, and back.
  Matrix4 m = Matrix4::translation(Vector3(1.0f, 2.0f, 3.0f));
  m.setUpper3x3(r.getUpper3x3());
  EXPECT_TRUE(
      MatNear(m, Matrix4::translation(Vector3(1.0f, 2.0f, 3.0f)) * Matrix4::rotationZYX(Vector3(0.2f, 0.4f, 0.6f))));
  EXPECT_TRUE(MatNear(Matrix4(r.getUpper3x3(), Vector3(1.0f, 2.0f, 3.0f)), m));
}

TEST(Matrix4, InversesUndoTheMatrix) {
  const Matrix4 general = GeneralMatrix();
  EXPECT_TRUE(MatNear(inverse(general) * general, Matrix4::identity(), 1e-5f));
  EXPECT_TRUE(MatNear(general * inverse(general), Matrix4::identity(), 1e-5f));
  EXPECT_NEAR(determinant(general), determinant(transpose(general)), 1e-4f);
  EXPECT_FLOAT_EQ(determinant(Matrix4::scale(Vector3(2.0f, 3.0f, 4.0f))), 24.0f);
  EXPECT_NEAR(determinant(Matrix4::rotationZYX(Vector3(0.5f, 1.0f, 1.5f))), 1.0f, 1e-6f);

  const Matrix4 rigid =
      Matrix4::translation(Vector3(4.0f, -2.0f, 7.0f)) * Matrix4::rotationZYX(Vector3(0.5f, 1.0f, 1.5f));
  EXPECT_TRUE(MatNear(orthoInverse(rigid), inverse(rigid)));
  EXPECT_TRUE(MatNear(orthoInverse(rigid) * rigid, Matrix4::identity()));

  const Matrix4 affine = rigid * Matrix4::scale(Vector3(2.0f, 0.5f, 3.0f));
  EXPECT_TRUE(MatNear(affineInverse(affine), inverse(affine)));
  EXPECT_TRUE(VecNear((affineInverse(affine) * (affine * Point3(1.0f, 2.0f, 3.0f))).getXYZ(), Vector3(1.0f, 2.0f, 3.0f),
                      1e-5f));

  const Matrix3 m3 = general.getUpper3x3();
  EXPECT_TRUE(MatNear(inverse(m3) * m3, Matrix3::identity()));
  EXPECT_NEAR(determinant(m3), 24.0f, 1e-4f);
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
  const Vector3 v(1.0f, -2.0f, 0.5f);
  EXPECT_TRUE(VecNear(rowMul(v, m), transpose(m) * v));
  EXPECT_TRUE(MatNear(transpose(transpose(m)), m));
}

TEST(Matrix3, RowsColumnsAndProductMatrices) {
  Matrix3 rows = Matrix3::identity();
  rows.setRow(0, Vector3(1.0f, 2.0f, 3.0f)).setElem(2, 1, 7.0f);
  EXPECT_TRUE(VecNear(rows.getCol1(), Vector3(2.0f, 1.0f, 0.0f)));
  EXPECT_TRUE(VecNear(rows[2], Vector3(3.0f, 7.0f, 1.0f)));
  EXPECT_TRUE(VecNear(rows.getRow(1), Vector3(0.0f, 1.0f, 7.0f)));

  const Vector3 a(1.0f, 2.0f, 3.0f);
  const Vector3 b(-2.0f, 0.5f, 4.0f);
  EXPECT_TRUE(VecNear(crossMatrix(a) * b, cross(a, b)));
  const Matrix3 m = Matrix3::rotationX(0.4f);
  EXPECT_TRUE(MatNear(crossMatrixMul(a, m), crossMatrix(a) * m));
  EXPECT_TRUE(VecNear(outer(a, b) * Vector3::yAxis(), a * 0.5f));
  EXPECT_TRUE(VecNear(outer(Vector4(a, 1.0f), Vector4(b, 2.0f)).getCol3(), Vector4(a, 1.0f) * 2.0f));
}

TEST(Matrix4, ViewAndProjection) {
  // An eye at (0, 0, 5) looking at the origin sees it five units ahead, down -z.
  const Matrix4 view = Matrix4::lookAt(Point3(0.0f, 0.0f, 5.0f), Point3(0.0f), Vector3::yAxis());
  EXPECT_TRUE(VecNear(view * Point3(0.0f), Vector4(0.0f, 0.0f, -5.0f, 1.0f)));
  EXPECT_TRUE(VecNear(view * Point3(0.0f, 0.0f, 5.0f), Vector4(0.0f, 0.0f, 0.0f, 1.0f)));

  // Looking along +x with a slanted up vector: right is +z, up is still +y.
  const Matrix4 side = Matrix4::lookAt(Point3(1.0f, 2.0f, 3.0f), Point3(4.0f, 2.0f, 3.0f), Vector3(0.5f, 2.0f, 0.0f));
  EXPECT_TRUE(VecNear((side * Point3(4.0f, 2.0f, 3.0f)).getXYZ(), Vector3(0.0f, 0.0f, -3.0f)));
  EXPECT_TRUE(VecNear((side * Vector3::zAxis()).getXYZ(), Vector3::xAxis()));
  EXPECT_TRUE(VecNear((side * Vector3::xAxis()).getXYZ(), Vector3(0.0f, 0.0f, -1.0f)));
  EXPECT_TRUE(VecNear((side * Vector3::yAxis()).getXYZ(), Vector3::yAxis()));

  auto project = [](const Matrix4& proj, const Point3& p) {
    const Vector4 clip = proj * p;
    return clip.getXYZ() / clip.getW();
  };
  const float fovy = 90.0f * kDegToRad;
  const Matrix4 persp = Matrix4::perspective(fovy, 2.0f, 0.5f, 100.0f);
  EXPECT_NEAR(project(persp, Point3(0.0f, 0.0f, -0.5f)).getZ(), -1.0f, 1e-5f);
  EXPECT_NEAR(project(persp, Point3(0.0f, 0.0f, -100.0f)).getZ(), 1.0f, 1e-4f);
  // The top edge of a 90-degree view rises one unit per unit of depth; the
  // aspect ratio widens the sides.
  EXPECT_TRUE(VecNear(project(persp, Point3(4.0f, 2.0f, -2.0f)),
                      Vector3(1.0f, 1.0f, project(persp, Point3(0.0f, 0.0f, -2.0f)).getZ())));
  EXPECT_TRUE(MatNear(Matrix4::frustum(-1.0f, 1.0f, -0.5f, 0.5f, 0.5f, 100.0f), persp));

  // An off-centre box maps onto the unit cube.
  const Matrix4 ortho = Matrix4::orthographic(-2.0f, 6.0f, -3.0f, 1.0f, 1.0f, 11.0f);
  EXPECT_TRUE(VecNear(project(ortho, Point3(-2.0f, -3.0f, -1.0f)), Vector3(-1.0f, -1.0f, -1.0f)));
  EXPECT_TRUE(VecNear(project(ortho, Point3(6.0f, 1.0f, -11.0f)), Vector3(1.0f, 1.0f, 1.0f)));
  EXPECT_TRUE(VecNear(project(ortho, Point3(2.0f, -1.0f, -6.0f)), Vector3(0.0f)));
  // So does an off-centre frustum at its near plane.
  const Matrix4 skewed = Matrix4::frustum(-1.0f, 3.0f, 0.0f, 2.0f, 1.0f, 10.0f);
  EXPECT_TRUE(VecNear(project(skewed, Point3(-1.0f, 0.0f, -1.0f)), Vector3(-1.0f, -1.0f, -1.0f)));
  EXPECT_TRUE(VecNear(project(skewed, Point3(30.0f, 20.0f, -10.0f)), Vector3(1.0f, 1.0f, 1.0f), 1e-4f));
}
