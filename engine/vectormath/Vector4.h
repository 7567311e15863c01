#pragma once
#include "vectormath/Point3.h"
#include "vectormath/Vector3.h"

namespace Vectormath::Aos {

class Quat;

// Four floats: a homogeneous point or direction, or an RGBA colour.
class Vector4 {
 public:
  Vector4() = default;
  Vector4(float x, float y, float z, float w) : mV{x, y, z, w} {}
  Vector4(const Vector3& xyz, float w) : mV{xyz.getX(), xyz.getY(), xyz.getZ(), w} {}
  // A direction: w = 0, so a matrix's translation does not move it.
  explicit Vector4(const Vector3& vec) : Vector4(vec, 0.0f) {}
  // A position: w = 1.
  explicit Vector4(const Point3& pnt) : mV{pnt.getX(), pnt.getY(), pnt.getZ(), 1.0f} {}
  explicit Vector4(const Quat& quat);  // in Quat.h
  explicit Vector4(float scalar) : mV{scalar, scalar, scalar, scalar} {}

  [[nodiscard]] static Vector4 xAxis() { return {1.0f, 0.0f, 0.0f, 0.0f}; }
  [[nodiscard]] static Vector4 yAxis() { return {0.0f, 1.0f, 0.0f, 0.0f}; }
  [[nodiscard]] static Vector4 zAxis() { return {0.0f, 0.0f, 1.0f, 0.0f}; }
  [[nodiscard]] static Vector4 wAxis() { return {0.0f, 0.0f, 0.0f, 1.0f}; }

  Vector4& setXYZ(const Vector3& vec) {
    mV[0] = vec.getX();
    mV[1] = vec.getY();
    mV[2] = vec.getZ();
    return *this;
  }
  [[nodiscard]] Vector3 getXYZ() const { return {mV[0], mV[1], mV[2]}; }
  Vector4& setX(float x) {
    mV[0] = x;
    return *this;
  }
  Vector4& setY(float y) {
    mV[1] = y;
    return *this;
  }
  Vector4& setZ(float z) {
    mV[2] = z;
    return *this;
  }
  Vector4& setW(float w) {
    mV[3] = w;
    return *this;
  }
  [[nodiscard]] float getX() const { return mV[0]; }
  [[nodiscard]] float getY() const { return mV[1]; }
  [[nodiscard]] float getZ() const { return mV[2]; }
  [[nodiscard]] float getW() const { return mV[3]; }

  Vector4& setElem(int idx, float value) {
    (*this)[idx] = value;
    return *this;
  }
  [[nodiscard]] float getElem(int idx) const { return (*this)[idx]; }
  float& operator[](int idx) {
    assert(idx >= 0 && idx < 4);
    return mV[idx];
  }
  float operator[](int idx) const {
    assert(idx >= 0 && idx < 4);
    return mV[idx];
  }

  Vector4 operator+(const Vector4& v) const {
    return {mV[0] + v.mV[0], mV[1] + v.mV[1], mV[2] + v.mV[2], mV[3] + v.mV[3]};
  }
  Vector4 operator-(const Vector4& v) const {
    return {mV[0] - v.mV[0], mV[1] - v.mV[1], mV[2] - v.mV[2], mV[3] - v.mV[3]};
  }
  Vector4 operator*(float s) const { return {mV[0] * s, mV[1] * s, mV[2] * s, mV[3] * s}; }
  Vector4 operator/(float s) const { return {mV[0] / s, mV[1] / s, mV[2] / s, mV[3] / s}; }
  Vector4 operator-() const { return {-mV[0], -mV[1], -mV[2], -mV[3]}; }

  Vector4& operator+=(const Vector4& v) { return *this = *this + v; }
  Vector4& operator-=(const Vector4& v) { return *this = *this - v; }
  Vector4& operator*=(float s) { return *this = *this * s; }
  Vector4& operator/=(float s) { return *this = *this / s; }

 private:
  float mV[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

inline Vector4 operator*(float s, const Vector4& v) { return v * s; }

namespace detail {
// Applies a float operation to each element pair; keeps the per-element
// functions below one line each.
template <typename Op>
Vector4 perElem(const Vector4& a, const Vector4& b, Op op) {
  return {op(a.getX(), b.getX()), op(a.getY(), b.getY()), op(a.getZ(), b.getZ()), op(a.getW(), b.getW())};
}
template <typename Op>
Vector4 perElem(const Vector4& v, Op op) {
  return {op(v.getX()), op(v.getY()), op(v.getZ()), op(v.getW())};
}
}  // namespace detail

inline Vector4 mulPerElem(const Vector4& a, const Vector4& b) {
  return detail::perElem(a, b, [](float x, float y) { return x * y; });
}
inline Vector4 divPerElem(const Vector4& a, const Vector4& b) {
  return detail::perElem(a, b, [](float x, float y) { return x / y; });
}
inline Vector4 recipPerElem(const Vector4& v) {
  return detail::perElem(v, [](float x) { return 1.0f / x; });
}
inline Vector4 sqrtPerElem(const Vector4& v) {
  return detail::perElem(v, [](float x) { return std::sqrt(x); });
}
inline Vector4 rsqrtPerElem(const Vector4& v) {
  return detail::perElem(v, [](float x) { return 1.0f / std::sqrt(x); });
}
inline Vector4 absPerElem(const Vector4& v) {
  return detail::perElem(v, [](float x) { return std::fabs(x); });
}
inline Vector4 copySignPerElem(const Vector4& a, const Vector4& b) {
  return detail::perElem(a, b, [](float x, float y) { return std::copysign(x, y); });
}
inline Vector4 maxPerElem(const Vector4& a, const Vector4& b) {
  return detail::perElem(a, b, [](float x, float y) { return std::fmax(x, y); });
}
inline Vector4 minPerElem(const Vector4& a, const Vector4& b) {
  return detail::perElem(a, b, [](float x, float y) { return std::fmin(x, y); });
}
inline float maxElem(const Vector4& v) {
  return std::fmax(std::fmax(v.getX(), v.getY()), std::fmax(v.getZ(), v.getW()));
}
inline float minElem(const Vector4& v) {
  return std::fmin(std::fmin(v.getX(), v.getY()), std::fmin(v.getZ(), v.getW()));
}
inline float sum(const Vector4& v) { return v.getX() + v.getY() + v.getZ() + v.getW(); }

inline float dot(const Vector4& a, const Vector4& b) {
  return a.getX() * b.getX() + a.getY() * b.getY() + a.getZ() * b.getZ() + a.getW() * b.getW();
}
inline float lengthSqr(const Vector4& v) { return dot(v, v); }
inline float length(const Vector4& v) { return std::sqrt(lengthSqr(v)); }
inline Vector4 normalize(const Vector4& v) { return v * (1.0f / length(v)); }

inline Vector4 lerp(float t, const Vector4& a, const Vector4& b) { return a + (b - a) * t; }

// Both vectors must be unit length.
inline Vector4 slerp(float t, const Vector4& unitVec0, const Vector4& unitVec1) {
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

inline Vector4 select(const Vector4& a, const Vector4& b, bool select1) { return select1 ? b : a; }

inline void loadXYZW(Vector4& v, const float* fptr) { v = Vector4(fptr[0], fptr[1], fptr[2], fptr[3]); }
inline void storeXYZW(const Vector4& v, float* fptr) {
  fptr[0] = v.getX();
  fptr[1] = v.getY();
  fptr[2] = v.getZ();
  fptr[3] = v.getW();
}

}  // namespace Vectormath::Aos
