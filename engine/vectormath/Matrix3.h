#pragma once
#include "vectormath/Quat.h"
#include "vectormath/Vector3.h"

namespace Vectormath::Aos {

// A 3x3 matrix stored as three columns and applied to column vectors
// (m * v). Element access takes the column first: getElem(col, row).
class Matrix3 {
 public:
  Matrix3() = default;
  Matrix3(const Vector3& col0, const Vector3& col1, const Vector3& col2) : mCol{col0, col1, col2} {}
  explicit Matrix3(const Quat& unitQuat);
  explicit Matrix3(float scalar) : mCol{Vector3(scalar), Vector3(scalar), Vector3(scalar)} {}

  [[nodiscard]] static Matrix3 identity() { return {Vector3::xAxis(), Vector3::yAxis(), Vector3::zAxis()}; }
  // Right-handed rotations: a positive angle turns counter-clockwise when
  // looking down the axis towards the origin.
  [[nodiscard]] static Matrix3 rotationX(float radians) {
    const float s = std::sin(radians), c = std::cos(radians);
    return {Vector3::xAxis(), Vector3(0.0f, c, s), Vector3(0.0f, -s, c)};
  }
  [[nodiscard]] static Matrix3 rotationY(float radians) {
    const float s = std::sin(radians), c = std::cos(radians);
    return {Vector3(c, 0.0f, -s), Vector3::yAxis(), Vector3(s, 0.0f, c)};
  }
  [[nodiscard]] static Matrix3 rotationZ(float radians) {
    const float s = std::sin(radians), c = std::cos(radians);
    return {Vector3(c, s, 0.0f), Vector3(-s, c, 0.0f), Vector3::zAxis()};
  }
  // rotationZ * rotationY * rotationX in one go: x is applied first, z last.
  [[nodiscard]] static Matrix3 rotationZYX(const Vector3& radiansXYZ) {
    const float sX = std::sin(radiansXYZ.getX()), cX = std::cos(radiansXYZ.getX());
    const float sY = std::sin(radiansXYZ.getY()), cY = std::cos(radiansXYZ.getY());
    const float sZ = std::sin(radiansXYZ.getZ()), cZ = std::cos(radiansXYZ.getZ());
    const float cZsY = cZ * sY, sZsY = sZ * sY;
    return {Vector3(cZ * cY, sZ * cY, -sY), Vector3(cZsY * sX - sZ * cX, sZsY * sX + cZ * cX, cY * sX),
            Vector3(cZsY * cX + sZ * sX, sZsY * cX - cZ * sX, cY * cX)};
  }
  [[nodiscard]] static Matrix3 rotation(float radians, const Vector3& unitVec) {
    const float s = std::sin(radians), c = std::cos(radians), t = 1.0f - c;
    const float x = unitVec.getX(), y = unitVec.getY(), z = unitVec.getZ();
    return {Vector3(t * x * x + c, t * x * y + s * z, t * x * z - s * y),
            Vector3(t * x * y - s * z, t * y * y + c, t * y * z + s * x),
            Vector3(t * x * z + s * y, t * y * z - s * x, t * z * z + c)};
  }
  [[nodiscard]] static Matrix3 rotation(const Quat& unitQuat) { return Matrix3(unitQuat); }
  [[nodiscard]] static Matrix3 scale(const Vector3& scaleVec) {
    return {Vector3(scaleVec.getX(), 0.0f, 0.0f), Vector3(0.0f, scaleVec.getY(), 0.0f),
            Vector3(0.0f, 0.0f, scaleVec.getZ())};
  }

  Matrix3& setCol0(const Vector3& col) {
    mCol[0] = col;
    return *this;
  }
  Matrix3& setCol1(const Vector3& col) {
    mCol[1] = col;
    return *this;
  }
  Matrix3& setCol2(const Vector3& col) {
    mCol[2] = col;
    return *this;
  }
  Matrix3& setCol(int col, const Vector3& vec) {
    (*this)[col] = vec;
    return *this;
  }
  Matrix3& setRow(int row, const Vector3& vec) {
    for (int col = 0; col < 3; ++col) mCol[col][row] = vec[col];
    return *this;
  }
  [[nodiscard]] const Vector3& getCol0() const { return mCol[0]; }
  [[nodiscard]] const Vector3& getCol1() const { return mCol[1]; }
  [[nodiscard]] const Vector3& getCol2() const { return mCol[2]; }
  [[nodiscard]] const Vector3& getCol(int col) const { return (*this)[col]; }
  [[nodiscard]] Vector3 getRow(int row) const { return {mCol[0][row], mCol[1][row], mCol[2][row]}; }
  Vector3& operator[](int col) {
    assert(col >= 0 && col < 3);
    return mCol[col];
  }
  const Vector3& operator[](int col) const {
    assert(col >= 0 && col < 3);
    return mCol[col];
  }
  Matrix3& setElem(int col, int row, float value) {
    (*this)[col][row] = value;
    return *this;
  }
  [[nodiscard]] float getElem(int col, int row) const { return (*this)[col][row]; }

  Matrix3 operator+(const Matrix3& m) const { return {mCol[0] + m.mCol[0], mCol[1] + m.mCol[1], mCol[2] + m.mCol[2]}; }
  Matrix3 operator-(const Matrix3& m) const { return {mCol[0] - m.mCol[0], mCol[1] - m.mCol[1], mCol[2] - m.mCol[2]}; }
  Matrix3 operator-() const { return {-mCol[0], -mCol[1], -mCol[2]}; }
  Matrix3 operator*(float s) const { return {mCol[0] * s, mCol[1] * s, mCol[2] * s}; }
  Vector3 operator*(const Vector3& v) const { return mCol[0] * v.getX() + mCol[1] * v.getY() + mCol[2] * v.getZ(); }
  Matrix3 operator*(const Matrix3& m) const { return {*this * m.mCol[0], *this * m.mCol[1], *this * m.mCol[2]}; }

  Matrix3& operator+=(const Matrix3& m) { return *this = *this + m; }
  Matrix3& operator-=(const Matrix3& m) { return *this = *this - m; }
  Matrix3& operator*=(float s) { return *this = *this * s; }
  Matrix3& operator*=(const Matrix3& m) { return *this = *this * m; }

 private:
  Vector3 mCol[3];
};

inline Matrix3::Matrix3(const Quat& unitQuat) {
  const float x = unitQuat.getX(), y = unitQuat.getY(), z = unitQuat.getZ(), w = unitQuat.getW();
  const float x2 = x + x, y2 = y + y, z2 = z + z;
  const float xx = x * x2, yy = y * y2, zz = z * z2;
  const float xy = x * y2, xz = x * z2, yz = y * z2;
  const float wx = w * x2, wy = w * y2, wz = w * z2;
  mCol[0] = Vector3(1.0f - yy - zz, xy + wz, xz - wy);
  mCol[1] = Vector3(xy - wz, 1.0f - xx - zz, yz + wx);
  mCol[2] = Vector3(xz + wy, yz - wx, 1.0f - xx - yy);
}

// From a pure rotation matrix. Works from the largest of w, x, y, z so that the
// division stays well away from zero whatever the angle.
inline Quat::Quat(const Matrix3& rotMat) {
  auto m = [&rotMat](int row, int col) { return rotMat.getElem(col, row); };
  const float trace = m(0, 0) + m(1, 1) + m(2, 2);
  if (trace > 0.0f) {
    const float s = std::sqrt(trace + 1.0f) * 2.0f;
    mV = Vector4((m(2, 1) - m(1, 2)) / s, (m(0, 2) - m(2, 0)) / s, (m(1, 0) - m(0, 1)) / s, 0.25f * s);
  } else if (m(0, 0) > m(1, 1) && m(0, 0) > m(2, 2)) {
    const float s = std::sqrt(1.0f + m(0, 0) - m(1, 1) - m(2, 2)) * 2.0f;
    mV = Vector4(0.25f * s, (m(0, 1) + m(1, 0)) / s, (m(0, 2) + m(2, 0)) / s, (m(2, 1) - m(1, 2)) / s);
  } else if (m(1, 1) > m(2, 2)) {
    const float s = std::sqrt(1.0f + m(1, 1) - m(0, 0) - m(2, 2)) * 2.0f;
    mV = Vector4((m(0, 1) + m(1, 0)) / s, 0.25f * s, (m(1, 2) + m(2, 1)) / s, (m(0, 2) - m(2, 0)) / s);
  } else {
    const float s = std::sqrt(1.0f + m(2, 2) - m(0, 0) - m(1, 1)) * 2.0f;
    mV = Vector4((m(0, 2) + m(2, 0)) / s, (m(1, 2) + m(2, 1)) / s, 0.25f * s, (m(1, 0) - m(0, 1)) / s);
  }
}

inline Matrix3 operator*(float s, const Matrix3& m) { return m * s; }

// m * scale(scaleVec), without the full product.
inline Matrix3 appendScale(const Matrix3& m, const Vector3& scaleVec) {
  return {m.getCol0() * scaleVec.getX(), m.getCol1() * scaleVec.getY(), m.getCol2() * scaleVec.getZ()};
}
// scale(scaleVec) * m, without the full product.
inline Matrix3 prependScale(const Vector3& scaleVec, const Matrix3& m) {
  return {mulPerElem(m.getCol0(), scaleVec), mulPerElem(m.getCol1(), scaleVec), mulPerElem(m.getCol2(), scaleVec)};
}

inline Matrix3 mulPerElem(const Matrix3& a, const Matrix3& b) {
  return {mulPerElem(a.getCol0(), b.getCol0()), mulPerElem(a.getCol1(), b.getCol1()),
          mulPerElem(a.getCol2(), b.getCol2())};
}
inline Matrix3 absPerElem(const Matrix3& m) {
  return {absPerElem(m.getCol0()), absPerElem(m.getCol1()), absPerElem(m.getCol2())};
}

inline Matrix3 transpose(const Matrix3& m) { return {m.getRow(0), m.getRow(1), m.getRow(2)}; }

inline float determinant(const Matrix3& m) { return dot(m.getCol2(), cross(m.getCol0(), m.getCol1())); }

// Each row of the inverse is the cross product of the other two columns over
// the determinant. A singular matrix gives infinities, as in the original.
inline Matrix3 inverse(const Matrix3& m) {
  const Vector3 row0 = cross(m.getCol1(), m.getCol2());
  const Vector3 row1 = cross(m.getCol2(), m.getCol0());
  const Vector3 row2 = cross(m.getCol0(), m.getCol1());
  const float detInv = 1.0f / dot(m.getCol2(), row2);
  return transpose(Matrix3(row0, row1, row2)) * detInv;
}

inline Matrix3 select(const Matrix3& a, const Matrix3& b, bool select1) { return select1 ? b : a; }

// a * transpose(b).
inline Matrix3 outer(const Vector3& a, const Vector3& b) { return {a * b.getX(), a * b.getY(), a * b.getZ()}; }

// The row vector times the matrix: transpose(m) * vec.
inline Vector3 rowMul(const Vector3& vec, const Matrix3& m) {
  return {dot(vec, m.getCol0()), dot(vec, m.getCol1()), dot(vec, m.getCol2())};
}

// The matrix that applies cross(vec, v) to v.
inline Matrix3 crossMatrix(const Vector3& vec) {
  return {Vector3(0.0f, vec.getZ(), -vec.getY()), Vector3(-vec.getZ(), 0.0f, vec.getX()),
          Vector3(vec.getY(), -vec.getX(), 0.0f)};
}
inline Matrix3 crossMatrixMul(const Vector3& vec, const Matrix3& m) {
  return {cross(vec, m.getCol0()), cross(vec, m.getCol1()), cross(vec, m.getCol2())};
}

}  // namespace Vectormath::Aos
