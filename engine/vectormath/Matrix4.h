#pragma once
#include "vectormath/Matrix3.h"
#include "vectormath/Point3.h"
#include "vectormath/Quat.h"
#include "vectormath/Vector3.h"
#include "vectormath/Vector4.h"

namespace Vectormath::Aos {

// A 4x4 matrix stored as four columns and applied to column vectors; the
// translation sits in the fourth column. getElem(col, row) as for Matrix3.
class Matrix4 {
 public:
  Matrix4() = default;
  Matrix4(const Vector4& col0, const Vector4& col1, const Vector4& col2, const Vector4& col3)
      : mCol{col0, col1, col2, col3} {}
  Matrix4(const Matrix3& mat, const Vector3& translateVec)
      : mCol{Vector4(mat.getCol0(), 0.0f), Vector4(mat.getCol1(), 0.0f), Vector4(mat.getCol2(), 0.0f),
             Vector4(translateVec, 1.0f)} {}
  Matrix4(const Quat& unitQuat, const Vector3& translateVec) : Matrix4(Matrix3(unitQuat), translateVec) {}
  explicit Matrix4(float scalar) : mCol{Vector4(scalar), Vector4(scalar), Vector4(scalar), Vector4(scalar)} {}

  [[nodiscard]] static Matrix4 identity() {
    return {Vector4::xAxis(), Vector4::yAxis(), Vector4::zAxis(), Vector4::wAxis()};
  }
  [[nodiscard]] static Matrix4 rotationX(float radians) { return {Matrix3::rotationX(radians), Vector3(0.0f)}; }
  [[nodiscard]] static Matrix4 rotationY(float radians) { return {Matrix3::rotationY(radians), Vector3(0.0f)}; }
  [[nodiscard]] static Matrix4 rotationZ(float radians) { return {Matrix3::rotationZ(radians), Vector3(0.0f)}; }
  // rotationZ * rotationY * rotationX: x is applied first, z last.
  [[nodiscard]] static Matrix4 rotationZYX(const Vector3& radiansXYZ) {
    return {Matrix3::rotationZYX(radiansXYZ), Vector3(0.0f)};
  }
  [[nodiscard]] static Matrix4 rotation(float radians, const Vector3& unitVec) {
    return {Matrix3::rotation(radians, unitVec), Vector3(0.0f)};
  }
  [[nodiscard]] static Matrix4 rotation(const Quat& unitQuat) { return {Matrix3(unitQuat), Vector3(0.0f)}; }
  [[nodiscard]] static Matrix4 scale(const Vector3& scaleVec) { return {Matrix3::scale(scaleVec), Vector3(0.0f)}; }
  [[nodiscard]] static Matrix4 translation(const Vector3& translateVec) { return {Matrix3::identity(), translateVec}; }

  // The view matrix of an eye at eyePos looking at lookAtPos: the eye ends up
  // at the origin looking down -z, with upVec's direction as +y as nearly as
  // the view direction allows.
  [[nodiscard]] static Matrix4 lookAt(const Point3& eyePos, const Point3& lookAtPos, const Vector3& upVec);
  // OpenGL-style projections: the view volume of an eye looking down -z maps
  // to the cube from -1 to 1 on every axis after the divide by w.
  [[nodiscard]] static Matrix4 perspective(float fovyRadians, float aspect, float zNear, float zFar) {
    const float f = 1.0f / std::tan(0.5f * fovyRadians);
    const float rangeInv = 1.0f / (zNear - zFar);
    return {Vector4(f / aspect, 0.0f, 0.0f, 0.0f), Vector4(0.0f, f, 0.0f, 0.0f),
            Vector4(0.0f, 0.0f, (zNear + zFar) * rangeInv, -1.0f),
            Vector4(0.0f, 0.0f, zNear * zFar * rangeInv * 2.0f, 0.0f)};
  }
  [[nodiscard]] static Matrix4 frustum(float left, float right, float bottom, float top, float zNear, float zFar) {
    const float invRL = 1.0f / (right - left), invTB = 1.0f / (top - bottom), invNF = 1.0f / (zNear - zFar);
    const float near2 = zNear + zNear;
    return {Vector4(near2 * invRL, 0.0f, 0.0f, 0.0f), Vector4(0.0f, near2 * invTB, 0.0f, 0.0f),
            Vector4((right + left) * invRL, (top + bottom) * invTB, (zNear + zFar) * invNF, -1.0f),
            Vector4(0.0f, 0.0f, near2 * invNF * zFar, 0.0f)};
  }
  [[nodiscard]] static Matrix4 orthographic(float left, float right, float bottom, float top, float zNear, float zFar) {
    const float invRL = 1.0f / (right - left), invTB = 1.0f / (top - bottom), invNF = 1.0f / (zNear - zFar);
    return {Vector4(2.0f * invRL, 0.0f, 0.0f, 0.0f), Vector4(0.0f, 2.0f * invTB, 0.0f, 0.0f),
            Vector4(0.0f, 0.0f, 2.0f * invNF, 0.0f),
            Vector4(-(right + left) * invRL, -(top + bottom) * invTB, (zNear + zFar) * invNF, 1.0f)};
  }

  Matrix4& setUpper3x3(const Matrix3& mat) {
    for (int col = 0; col < 3; ++col) mCol[col].setXYZ(mat[col]);
    return *this;
  }
  [[nodiscard]] Matrix3 getUpper3x3() const { return {mCol[0].getXYZ(), mCol[1].getXYZ(), mCol[2].getXYZ()}; }
  Matrix4& setTranslation(const Vector3& translateVec) {
    mCol[3].setXYZ(translateVec);
    return *this;
  }
  [[nodiscard]] Vector3 getTranslation() const { return mCol[3].getXYZ(); }

  Matrix4& setCol0(const Vector4& col) {
    mCol[0] = col;
    return *this;
  }
  Matrix4& setCol1(const Vector4& col) {
    mCol[1] = col;
    return *this;
  }
  Matrix4& setCol2(const Vector4& col) {
    mCol[2] = col;
    return *this;
  }
  Matrix4& setCol3(const Vector4& col) {
    mCol[3] = col;
    return *this;
  }
  Matrix4& setCol(int col, const Vector4& vec) {
    (*this)[col] = vec;
    return *this;
  }
  Matrix4& setRow(int row, const Vector4& vec) {
    for (int col = 0; col < 4; ++col) mCol[col][row] = vec[col];
    return *this;
  }
  [[nodiscard]] const Vector4& getCol0() const { return mCol[0]; }
  [[nodiscard]] const Vector4& getCol1() const { return mCol[1]; }
  [[nodiscard]] const Vector4& getCol2() const { return mCol[2]; }
  [[nodiscard]] const Vector4& getCol3() const { return mCol[3]; }
  [[nodiscard]] const Vector4& getCol(int col) const { return (*this)[col]; }
  [[nodiscard]] Vector4 getRow(int row) const { return {mCol[0][row], mCol[1][row], mCol[2][row], mCol[3][row]}; }
  Vector4& operator[](int col) {
    assert(col >= 0 && col < 4);
    return mCol[col];
  }
  const Vector4& operator[](int col) const {
    assert(col >= 0 && col < 4);
    return mCol[col];
  }
  Matrix4& setElem(int col, int row, float value) {
    (*this)[col][row] = value;
    return *this;
  }
  [[nodiscard]] float getElem(int col, int row) const { return (*this)[col][row]; }

  Matrix4 operator+(const Matrix4& m) const {
    return {mCol[0] + m.mCol[0], mCol[1] + m.mCol[1], mCol[2] + m.mCol[2], mCol[3] + m.mCol[3]};
  }
  Matrix4 operator-(const Matrix4& m) const {
    return {mCol[0] - m.mCol[0], mCol[1] - m.mCol[1], mCol[2] - m.mCol[2], mCol[3] - m.mCol[3]};
  }
  Matrix4 operator-() const { return {-mCol[0], -mCol[1], -mCol[2], -mCol[3]}; }
  Matrix4 operator*(float s) const { return {mCol[0] * s, mCol[1] * s, mCol[2] * s, mCol[3] * s}; }
  Vector4 operator*(const Vector4& v) const {
    return mCol[0] * v.getX() + mCol[1] * v.getY() + mCol[2] * v.getZ() + mCol[3] * v.getW();
  }
  // A direction: the translation column does not take part.
  Vector4 operator*(const Vector3& v) const { return *this * Vector4(v); }
  // A position: the translation column is added.
  Vector4 operator*(const Point3& p) const { return *this * Vector4(p); }
  Matrix4 operator*(const Matrix4& m) const {
    return {*this * m.mCol[0], *this * m.mCol[1], *this * m.mCol[2], *this * m.mCol[3]};
  }

  Matrix4& operator+=(const Matrix4& m) { return *this = *this + m; }
  Matrix4& operator-=(const Matrix4& m) { return *this = *this - m; }
  Matrix4& operator*=(float s) { return *this = *this * s; }
  Matrix4& operator*=(const Matrix4& m) { return *this = *this * m; }

 private:
  Vector4 mCol[4];
};

inline Matrix4 operator*(float s, const Matrix4& m) { return m * s; }

// m * scale(scaleVec), without the full product.
inline Matrix4 appendScale(const Matrix4& m, const Vector3& scaleVec) {
  return {m.getCol0() * scaleVec.getX(), m.getCol1() * scaleVec.getY(), m.getCol2() * scaleVec.getZ(), m.getCol3()};
}
// scale(scaleVec) * m, without the full product.
inline Matrix4 prependScale(const Vector3& scaleVec, const Matrix4& m) {
  const Vector4 s(scaleVec, 1.0f);
  return {mulPerElem(m.getCol0(), s), mulPerElem(m.getCol1(), s), mulPerElem(m.getCol2(), s),
          mulPerElem(m.getCol3(), s)};
}

inline Matrix4 mulPerElem(const Matrix4& a, const Matrix4& b) {
  return {mulPerElem(a.getCol0(), b.getCol0()), mulPerElem(a.getCol1(), b.getCol1()),
          mulPerElem(a.getCol2(), b.getCol2()), mulPerElem(a.getCol3(), b.getCol3())};
}
inline Matrix4 absPerElem(const Matrix4& m) {
  return {absPerElem(m.getCol0()), absPerElem(m.getCol1()), absPerElem(m.getCol2()), absPerElem(m.getCol3())};
}

inline Matrix4 transpose(const Matrix4& m) { return {m.getRow(0), m.getRow(1), m.getRow(2), m.getRow(3)}; }

namespace detail {
// The 2x2 minors of the top two and the bottom two rows; the determinant and
// every cofactor of a 4x4 matrix are short sums of their products.
struct Minors4 {
  float s[6];
  float c[6];
  explicit Minors4(const Matrix4& m) {
    auto a = [&m](int row, int col) { return m.getElem(col, row); };
    s[0] = a(0, 0) * a(1, 1) - a(1, 0) * a(0, 1);
    s[1] = a(0, 0) * a(1, 2) - a(1, 0) * a(0, 2);
    s[2] = a(0, 0) * a(1, 3) - a(1, 0) * a(0, 3);
    s[3] = a(0, 1) * a(1, 2) - a(1, 1) * a(0, 2);
    s[4] = a(0, 1) * a(1, 3) - a(1, 1) * a(0, 3);
    s[5] = a(0, 2) * a(1, 3) - a(1, 2) * a(0, 3);
    c[0] = a(2, 0) * a(3, 1) - a(3, 0) * a(2, 1);
    c[1] = a(2, 0) * a(3, 2) - a(3, 0) * a(2, 2);
    c[2] = a(2, 0) * a(3, 3) - a(3, 0) * a(2, 3);
    c[3] = a(2, 1) * a(3, 2) - a(3, 1) * a(2, 2);
    c[4] = a(2, 1) * a(3, 3) - a(3, 1) * a(2, 3);
    c[5] = a(2, 2) * a(3, 3) - a(3, 2) * a(2, 3);
  }
  [[nodiscard]] float determinant() const {
    return s[0] * c[5] - s[1] * c[4] + s[2] * c[3] + s[3] * c[2] - s[4] * c[1] + s[5] * c[0];
  }
};
}  // namespace detail

inline float determinant(const Matrix4& m) { return detail::Minors4(m).determinant(); }

// The full inverse; a singular matrix gives infinities, as in the original.
inline Matrix4 inverse(const Matrix4& m) {
  const detail::Minors4 k(m);
  const float* s = k.s;
  const float* c = k.c;
  auto a = [&m](int row, int col) { return m.getElem(col, row); };
  // Row i of the adjugate holds the cofactors of the elements in column i of m.
  const Vector4 row0(
      a(1, 1) * c[5] - a(1, 2) * c[4] + a(1, 3) * c[3], -a(0, 1) * c[5] + a(0, 2) * c[4] - a(0, 3) * c[3],
      a(3, 1) * s[5] - a(3, 2) * s[4] + a(3, 3) * s[3], -a(2, 1) * s[5] + a(2, 2) * s[4] - a(2, 3) * s[3]);
  const Vector4 row1(
      -a(1, 0) * c[5] + a(1, 2) * c[2] - a(1, 3) * c[1], a(0, 0) * c[5] - a(0, 2) * c[2] + a(0, 3) * c[1],
      -a(3, 0) * s[5] + a(3, 2) * s[2] - a(3, 3) * s[1], a(2, 0) * s[5] - a(2, 2) * s[2] + a(2, 3) * s[1]);
  const Vector4 row2(
      a(1, 0) * c[4] - a(1, 1) * c[2] + a(1, 3) * c[0], -a(0, 0) * c[4] + a(0, 1) * c[2] - a(0, 3) * c[0],
      a(3, 0) * s[4] - a(3, 1) * s[2] + a(3, 3) * s[0], -a(2, 0) * s[4] + a(2, 1) * s[2] - a(2, 3) * s[0]);
  const Vector4 row3(
      -a(1, 0) * c[3] + a(1, 1) * c[1] - a(1, 2) * c[0], a(0, 0) * c[3] - a(0, 1) * c[1] + a(0, 2) * c[0],
      -a(3, 0) * s[3] + a(3, 1) * s[1] - a(3, 2) * s[0], a(2, 0) * s[3] - a(2, 1) * s[1] + a(2, 2) * s[0]);
  return transpose(Matrix4(row0, row1, row2, row3)) * (1.0f / k.determinant());
}

// For a matrix whose bottom row is (0, 0, 0, 1): cheaper than inverse.
inline Matrix4 affineInverse(const Matrix4& m) {
  const Matrix3 inv = inverse(m.getUpper3x3());
  return {inv, -(inv * m.getTranslation())};
}

// For a rotation plus a translation: the rotation's inverse is its transpose.
inline Matrix4 orthoInverse(const Matrix4& m) {
  const Matrix3 inv = transpose(m.getUpper3x3());
  return {inv, -(inv * m.getTranslation())};
}

inline Matrix4 select(const Matrix4& a, const Matrix4& b, bool select1) { return select1 ? b : a; }

// a * transpose(b).
inline Matrix4 outer(const Vector4& a, const Vector4& b) {
  return {a * b.getX(), a * b.getY(), a * b.getZ(), a * b.getW()};
}

inline Matrix4 Matrix4::lookAt(const Point3& eyePos, const Point3& lookAtPos, const Vector3& upVec) {
  const Vector3 back = normalize(eyePos - lookAtPos);
  const Vector3 right = normalize(cross(normalize(upVec), back));
  const Vector3 up = cross(back, right);
  return orthoInverse(Matrix4(Matrix3(right, up, back), Vector3(eyePos)));
}

}  // namespace Vectormath::Aos
