#pragma once
#include "vectormath/Vector3.h"
#include "vectormath/Vector4.h"

namespace Vectormath::Aos {

class Matrix3;

// A rotation as a unit quaternion, (x, y, z) the vector part and w the scalar.
class Quat {
 public:
  Quat() = default;
  Quat(float x, float y, float z, float w) : mV(x, y, z, w) {}
  Quat(const Vector3& xyz, float w) : mV(xyz, w) {}
  explicit Quat(const Vector4& vec) : mV(vec) {}
  explicit Quat(const Matrix3& rotMat);  // in Matrix3.h
  explicit Quat(float scalar) : mV(scalar) {}

  [[nodiscard]] static Quat identity() { return {0.0f, 0.0f, 0.0f, 1.0f}; }
  // The shortest rotation carrying one unit vector onto another. Undefined for
  // opposite vectors, where no single shortest axis exists.
  [[nodiscard]] static Quat rotation(const Vector3& unitVec0, const Vector3& unitVec1) {
    const float cosHalfAngleX2 = std::sqrt(2.0f * (1.0f + dot(unitVec0, unitVec1)));
    const float recipCosHalfAngleX2 = 1.0f / cosHalfAngleX2;
    return {cross(unitVec0, unitVec1) * recipCosHalfAngleX2, cosHalfAngleX2 * 0.5f};
  }
  [[nodiscard]] static Quat rotation(float radians, const Vector3& unitVec) {
    const float angle = radians * 0.5f;
    return {unitVec * std::sin(angle), std::cos(angle)};
  }
  [[nodiscard]] static Quat rotationX(float radians) { return rotation(radians, Vector3::xAxis()); }
  [[nodiscard]] static Quat rotationY(float radians) { return rotation(radians, Vector3::yAxis()); }
  [[nodiscard]] static Quat rotationZ(float radians) { return rotation(radians, Vector3::zAxis()); }

  Quat& setXYZ(const Vector3& vec) {
    mV.setXYZ(vec);
    return *this;
  }
  [[nodiscard]] Vector3 getXYZ() const { return mV.getXYZ(); }
  Quat& setX(float x) {
    mV.setX(x);
    return *this;
  }
  Quat& setY(float y) {
    mV.setY(y);
    return *this;
  }
  Quat& setZ(float z) {
    mV.setZ(z);
    return *this;
  }
  Quat& setW(float w) {
    mV.setW(w);
    return *this;
  }
  [[nodiscard]] float getX() const { return mV.getX(); }
  [[nodiscard]] float getY() const { return mV.getY(); }
  [[nodiscard]] float getZ() const { return mV.getZ(); }
  [[nodiscard]] float getW() const { return mV.getW(); }

  Quat& setElem(int idx, float value) {
    mV.setElem(idx, value);
    return *this;
  }
  [[nodiscard]] float getElem(int idx) const { return mV.getElem(idx); }
  float& operator[](int idx) { return mV[idx]; }
  float operator[](int idx) const { return mV[idx]; }

  Quat operator+(const Quat& q) const { return Quat(mV + q.mV); }
  Quat operator-(const Quat& q) const { return Quat(mV - q.mV); }
  Quat operator*(float s) const { return Quat(mV * s); }
  Quat operator/(float s) const { return Quat(mV / s); }
  Quat operator-() const { return Quat(-mV); }
  // Composition: (a * b) rotates by b first, then by a.
  Quat operator*(const Quat& q) const {
    const float x = getX(), y = getY(), z = getZ(), w = getW();
    return {w * q.getX() + x * q.getW() + y * q.getZ() - z * q.getY(),
            w * q.getY() + y * q.getW() + z * q.getX() - x * q.getZ(),
            w * q.getZ() + z * q.getW() + x * q.getY() - y * q.getX(),
            w * q.getW() - x * q.getX() - y * q.getY() - z * q.getZ()};
  }

  Quat& operator+=(const Quat& q) { return *this = *this + q; }
  Quat& operator-=(const Quat& q) { return *this = *this - q; }
  Quat& operator*=(const Quat& q) { return *this = *this * q; }
  Quat& operator*=(float s) { return *this = *this * s; }
  Quat& operator/=(float s) { return *this = *this / s; }

 private:
  Vector4 mV;
};

inline Vector4::Vector4(const Quat& quat) : mV{quat.getX(), quat.getY(), quat.getZ(), quat.getW()} {}

inline Quat operator*(float s, const Quat& q) { return q * s; }

inline Quat conj(const Quat& q) { return {-q.getX(), -q.getY(), -q.getZ(), q.getW()}; }

inline Vector3 rotate(const Quat& unitQuat, const Vector3& vec) {
  return (unitQuat * Quat(vec, 0.0f) * conj(unitQuat)).getXYZ();
}

inline float dot(const Quat& a, const Quat& b) { return dot(Vector4(a), Vector4(b)); }
// The original's norm is the squared length; kept so.
inline float norm(const Quat& q) { return dot(q, q); }
inline float length(const Quat& q) { return std::sqrt(norm(q)); }
inline Quat normalize(const Quat& q) { return q * (1.0f / length(q)); }

inline Quat lerp(float t, const Quat& a, const Quat& b) { return a + (b - a) * t; }

// Takes the shorter way round: q and -q are the same rotation, so the start is
// flipped when the two lie in opposite hemispheres.
inline Quat slerp(float t, const Quat& unitQuat0, const Quat& unitQuat1) {
  float cosAngle = dot(unitQuat0, unitQuat1);
  Quat start = unitQuat0;
  if (cosAngle < 0.0f) {
    cosAngle = -cosAngle;
    start = -unitQuat0;
  }
  float scale0 = 1.0f - t;
  float scale1 = t;
  if (cosAngle < kSlerpTolerance) {
    const float angle = std::acos(cosAngle);
    const float recipSinAngle = 1.0f / std::sin(angle);
    scale0 = std::sin((1.0f - t) * angle) * recipSinAngle;
    scale1 = std::sin(t * angle) * recipSinAngle;
  }
  return start * scale0 + unitQuat1 * scale1;
}

inline Quat squad(float t, const Quat& unitQuat0, const Quat& unitQuat1, const Quat& unitQuat2, const Quat& unitQuat3) {
  const Quat ends = slerp(t, unitQuat0, unitQuat3);
  const Quat middle = slerp(t, unitQuat1, unitQuat2);
  return slerp(2.0f * t * (1.0f - t), ends, middle);
}

inline Quat select(const Quat& a, const Quat& b, bool select1) { return select1 ? b : a; }

}  // namespace Vectormath::Aos
