#pragma once
#include "vectormath/Vector3.h"

namespace Vectormath::Aos {

// A position rather than a direction: a 4x4 matrix applies its translation to
// a Point3 (w = 1) but not to a Vector3 (w = 0).
class Point3 {
 public:
  Point3() = default;
  Point3(float x, float y, float z) : mV(x, y, z) {}
  explicit Point3(const Vector3& vec) : mV(vec) {}
  explicit Point3(float scalar) : mV(scalar) {}

  Point3& setX(float x) {
    mV.setX(x);
    return *this;
  }
  Point3& setY(float y) {
    mV.setY(y);
    return *this;
  }
  Point3& setZ(float z) {
    mV.setZ(z);
    return *this;
  }
  [[nodiscard]] float getX() const { return mV.getX(); }
  [[nodiscard]] float getY() const { return mV.getY(); }
  [[nodiscard]] float getZ() const { return mV.getZ(); }

  Point3& setElem(int idx, float value) {
    mV.setElem(idx, value);
    return *this;
  }
  [[nodiscard]] float getElem(int idx) const { return mV.getElem(idx); }
  float& operator[](int idx) { return mV[idx]; }
  float operator[](int idx) const { return mV[idx]; }

  Vector3 operator-(const Point3& pnt) const { return mV - pnt.mV; }
  Point3 operator+(const Vector3& vec) const { return Point3(mV + vec); }
  Point3 operator-(const Vector3& vec) const { return Point3(mV - vec); }
  Point3& operator+=(const Vector3& vec) {
    mV += vec;
    return *this;
  }
  Point3& operator-=(const Vector3& vec) {
    mV -= vec;
    return *this;
  }

 private:
  Vector3 mV;
};

inline Vector3::Vector3(const Point3& pnt) : mV{pnt.getX(), pnt.getY(), pnt.getZ()} {}

inline Point3 mulPerElem(const Point3& a, const Point3& b) { return Point3(mulPerElem(Vector3(a), Vector3(b))); }
inline Point3 divPerElem(const Point3& a, const Point3& b) { return Point3(divPerElem(Vector3(a), Vector3(b))); }
inline Point3 recipPerElem(const Point3& p) { return Point3(recipPerElem(Vector3(p))); }
inline Point3 sqrtPerElem(const Point3& p) { return Point3(sqrtPerElem(Vector3(p))); }
inline Point3 rsqrtPerElem(const Point3& p) { return Point3(rsqrtPerElem(Vector3(p))); }
inline Point3 absPerElem(const Point3& p) { return Point3(absPerElem(Vector3(p))); }
inline Point3 copySignPerElem(const Point3& a, const Point3& b) {
  return Point3(copySignPerElem(Vector3(a), Vector3(b)));
}
inline Point3 maxPerElem(const Point3& a, const Point3& b) { return Point3(maxPerElem(Vector3(a), Vector3(b))); }
inline Point3 minPerElem(const Point3& a, const Point3& b) { return Point3(minPerElem(Vector3(a), Vector3(b))); }
inline float maxElem(const Point3& p) { return maxElem(Vector3(p)); }
inline float minElem(const Point3& p) { return minElem(Vector3(p)); }
inline float sum(const Point3& p) { return sum(Vector3(p)); }

// Scaling about the origin.
inline Point3 scale(const Point3& p, float scaleVal) { return Point3(Vector3(p) * scaleVal); }
inline Point3 scale(const Point3& p, const Vector3& scaleVec) { return Point3(mulPerElem(Vector3(p), scaleVec)); }

// Signed distance of the point from the origin along a unit direction.
inline float projection(const Point3& p, const Vector3& unitVec) { return dot(Vector3(p), unitVec); }

inline float distSqrFromOrigin(const Point3& p) { return lengthSqr(Vector3(p)); }
inline float distFromOrigin(const Point3& p) { return length(Vector3(p)); }
inline float distSqr(const Point3& a, const Point3& b) { return lengthSqr(b - a); }
inline float dist(const Point3& a, const Point3& b) { return length(b - a); }

inline Point3 lerp(float t, const Point3& a, const Point3& b) { return a + (b - a) * t; }
inline Point3 select(const Point3& a, const Point3& b, bool select1) { return select1 ? b : a; }

inline void loadXYZ(Point3& p, const float* fptr) { p = Point3(fptr[0], fptr[1], fptr[2]); }
inline void storeXYZ(const Point3& p, float* fptr) { storeXYZ(Vector3(p), fptr); }

}  // namespace Vectormath::Aos
