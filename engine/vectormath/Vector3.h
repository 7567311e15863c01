#pragma once
#include <cassert>
#include <cmath>

// Vectormath::Aos keeps the names and behaviour of the vector math library the
// engine was written against (scalar code, column vectors, column-major
// matrices), so that library's header could be dropped in instead of ours.
// One deliberate difference: default construction gives zeros where the
// original leaves the value undefined. Code must not rely on either.
namespace Vectormath::Aos {

class Point3;
class Matrix3;

// Beyond this cosine two unit vectors are close enough that slerp falls back to
// a plain lerp, whose result is then indistinguishable and far cheaper.
inline constexpr float kSlerpTolerance = 0.999f;

class Vector3 {
 public:
  Vector3() = default;
  Vector3(float x, float y, float z) : mV{x, y, z} {}
  explicit Vector3(const Point3& pnt);  // in Point3.h
  explicit Vector3(float scalar) : mV{scalar, scalar, scalar} {}

  [[nodiscard]] static Vector3 xAxis() { return {1.0f, 0.0f, 0.0f}; }
  [[nodiscard]] static Vector3 yAxis() { return {0.0f, 1.0f, 0.0f}; }
  [[nodiscard]] static Vector3 zAxis() { return {0.0f, 0.0f, 1.0f}; }

  Vector3& setX(float x) {
    mV[0] = x;
    return *this;
  }
  Vector3& setY(float y) {
    mV[1] = y;
    return *this;
  }
  Vector3& setZ(float z) {
    mV[2] = z;
    return *this;
  }
  [[nodiscard]] float getX() const { return mV[0]; }
  [[nodiscard]] float getY() const { return mV[1]; }
  [[nodiscard]] float getZ() const { return mV[2]; }

  Vector3& setElem(int idx, float value) {
    (*this)[idx] = value;
    return *this;
  }
  [[nodiscard]] float getElem(int idx) const { return (*this)[idx]; }
  float& operator[](int idx) {
    assert(idx >= 0 && idx < 3);
    return mV[idx];
  }
  float operator[](int idx) const {
    assert(idx >= 0 && idx < 3);
    return mV[idx];
  }

  Vector3 operator+(const Vector3& v) const { return {mV[0] + v.mV[0], mV[1] + v.mV[1], mV[2] + v.mV[2]}; }
  Vector3 operator-(const Vector3& v) const { return {mV[0] - v.mV[0], mV[1] - v.mV[1], mV[2] - v.mV[2]}; }
  Vector3 operator*(float s) const { return {mV[0] * s, mV[1] * s, mV[2] * s}; }
  Vector3 operator/(float s) const { return {mV[0] / s, mV[1] / s, mV[2] / s}; }
  Vector3 operator-() const { return {-mV[0], -mV[1], -mV[2]}; }

  Vector3& operator+=(const Vector3& v) { return *this = *this + v; }
  Vector3& operator-=(const Vector3& v) { return *this = *this - v; }
  Vector3& operator*=(float s) { return *this = *this * s; }
  Vector3& operator/=(float s) { return *this = *this / s; }

 private:
  float mV[3] = {0.0f, 0.0f, 0.0f};
};

inline Vector3 operator*(float s, const Vector3& v) { return v * s; }

inline Vector3 mulPerElem(const Vector3& a, const Vector3& b) {
  return {a.getX() * b.getX(), a.getY() * b.getY(), a.getZ() * b.getZ()};
}
inline Vector3 divPerElem(const Vector3& a, const Vector3& b) {
  return {a.getX() / b.getX(), a.getY() / b.getY(), a.getZ() / b.getZ()};
}
inline Vector3 recipPerElem(const Vector3& v) { return {1.0f / v.getX(), 1.0f / v.getY(), 1.0f / v.getZ()}; }
inline Vector3 sqrtPerElem(const Vector3& v) { return {std::sqrt(v.getX()), std::sqrt(v.getY()), std::sqrt(v.getZ())}; }
inline Vector3 rsqrtPerElem(const Vector3& v) { return recipPerElem(sqrtPerElem(v)); }
inline Vector3 absPerElem(const Vector3& v) { return {std::fabs(v.getX()), std::fabs(v.getY()), std::fabs(v.getZ())}; }
inline Vector3 copySignPerElem(const Vector3& a, const Vector3& b) {
  return {std::copysign(a.getX(), b.getX()), std::copysign(a.getY(), b.getY()), std::copysign(a.getZ(), b.getZ())};
}
inline Vector3 maxPerElem(const Vector3& a, const Vector3& b) {
  return {std::fmax(a.getX(), b.getX()), std::fmax(a.getY(), b.getY()), std::fmax(a.getZ(), b.getZ())};
}
inline Vector3 minPerElem(const Vector3& a, const Vector3& b) {
  return {std::fmin(a.getX(), b.getX()), std::fmin(a.getY(), b.getY()), std::fmin(a.getZ(), b.getZ())};
}
inline float maxElem(const Vector3& v) { return std::fmax(std::fmax(v.getX(), v.getY()), v.getZ()); }
inline float minElem(const Vector3& v) { return std::fmin(std::fmin(v.getX(), v.getY()), v.getZ()); }
inline float sum(const Vector3& v) { return v.getX() + v.getY() + v.getZ(); }

inline float dot(const Vector3& a, const Vector3& b) {
  return a.getX() * b.getX() + a.getY() * b.getY() + a.getZ() * b.getZ();
}
inline float lengthSqr(const Vector3& v) { return dot(v, v); }
inline float length(const Vector3& v) { return std::sqrt(lengthSqr(v)); }
// Like the original: a zero vector has no direction and comes back as NaNs.
inline Vector3 normalize(const Vector3& v) { return v * (1.0f / length(v)); }

// Right-handed: cross(xAxis, yAxis) == zAxis.
inline Vector3 cross(const Vector3& a, const Vector3& b) {
  return {a.getY() * b.getZ() - a.getZ() * b.getY(), a.getZ() * b.getX() - a.getX() * b.getZ(),
          a.getX() * b.getY() - a.getY() * b.getX()};
}

inline Vector3 lerp(float t, const Vector3& a, const Vector3& b) { return a + (b - a) * t; }

// Both vectors must be unit length.
inline Vector3 slerp(float t, const Vector3& unitVec0, const Vector3& unitVec1) {
  const float cosAngle = dot(unitVec0, unitVec1);
  float scale0 = 1.0f - t;
  float scale1 = t;
  if (cosAngle < kSlerpTolerance) {
    const float angle = std::acos(cosAngle);
    const float recipSinAngle = 1.0f / std::sin(angle);
    scale0 = std::sin((1.0f - t) * angle) * recipSinAngle;
    scale1 = std::sin(t * angle) * recipSinAngle;
  }
  return unitVec0 * scale0 + unitVec1 * scale1;
}

inline Vector3 select(const Vector3& a, const Vector3& b, bool select1) { return select1 ? b : a; }

inline void loadXYZ(Vector3& v, const float* fptr) { v = Vector3(fptr[0], fptr[1], fptr[2]); }
inline void storeXYZ(const Vector3& v, float* fptr) {
  fptr[0] = v.getX();
  fptr[1] = v.getY();
  fptr[2] = v.getZ();
}

}  // namespace Vectormath::Aos
