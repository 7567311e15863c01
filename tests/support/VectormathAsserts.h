#pragma once
// Near-equality checks for Vectormath::Aos values, for any test suite:
//   EXPECT_TRUE(VecNear(transform.GetPosition(), Vector3(1, 2, 3)));
// On failure both values are printed in full.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <sstream>

#include "vectormath/vectormath_aos.h"

namespace Vectormath::Aos {

// gtest finds these through argument-dependent lookup.
inline void PrintTo(const Vector3& v, std::ostream* os) {
  *os << "(" << v.getX() << ", " << v.getY() << ", " << v.getZ() << ")";
}
inline void PrintTo(const Point3& p, std::ostream* os) { PrintTo(Vector3(p), os); }
inline void PrintTo(const Vector4& v, std::ostream* os) {
  *os << "(" << v.getX() << ", " << v.getY() << ", " << v.getZ() << ", " << v.getW() << ")";
}
inline void PrintTo(const Quat& q, std::ostream* os) { PrintTo(Vector4(q), os); }
inline void PrintTo(const Matrix3& m, std::ostream* os) {
  *os << "rows [";
  for (int row = 0; row < 3; ++row) PrintTo(m.getRow(row), os);
  *os << "]";
}
inline void PrintTo(const Matrix4& m, std::ostream* os) {
  *os << "rows [";
  for (int row = 0; row < 4; ++row) PrintTo(m.getRow(row), os);
  *os << "]";
}

}  // namespace Vectormath::Aos

namespace tidewater_test {

namespace detail {
template <typename T>
std::string Show(const T& value) {
  std::ostringstream os;
  Vectormath::Aos::PrintTo(value, &os);
  return os.str();
}

template <typename T>
::testing::AssertionResult Compare(const T& actual, const T& expected, float tolerance, int count,
                                   float (*elem)(const T&, int)) {
  for (int i = 0; i < count; ++i) {
    const float a = elem(actual, i);
    const float e = elem(expected, i);
    // NaN never compares near, so a broken normalize cannot pass.
    if (!(std::fabs(a - e) <= tolerance)) {
      return ::testing::AssertionFailure()
             << Show(actual) << " is not within " << tolerance << " of " << Show(expected) << " (element " << i << ")";
    }
  }
  return ::testing::AssertionSuccess();
}
}  // namespace detail

inline ::testing::AssertionResult VecNear(const Vectormath::Aos::Vector3& actual,
                                          const Vectormath::Aos::Vector3& expected, float tolerance = 1e-5f) {
  return detail::Compare<Vectormath::Aos::Vector3>(actual, expected, tolerance, 3,
                                                   [](const auto& v, int i) { return v.getElem(i); });
}
inline ::testing::AssertionResult VecNear(const Vectormath::Aos::Point3& actual,
                                          const Vectormath::Aos::Point3& expected, float tolerance = 1e-5f) {
  return detail::Compare<Vectormath::Aos::Point3>(actual, expected, tolerance, 3,
                                                  [](const auto& v, int i) { return v.getElem(i); });
}
inline ::testing::AssertionResult VecNear(const Vectormath::Aos::Vector4& actual,
                                          const Vectormath::Aos::Vector4& expected, float tolerance = 1e-5f) {
  return detail::Compare<Vectormath::Aos::Vector4>(actual, expected, tolerance, 4,
                                                   [](const auto& v, int i) { return v.getElem(i); });
}
inline ::testing::AssertionResult VecNear(const Vectormath::Aos::Quat& actual, const Vectormath::Aos::Quat& expected,
                                          float tolerance = 1e-5f) {
  return detail::Compare<Vectormath::Aos::Quat>(actual, expected, tolerance, 4,
                                                [](const auto& q, int i) { return q.getElem(i); });
}
inline ::testing::AssertionResult MatNear(const Vectormath::Aos::Matrix3& actual,
                                          const Vectormath::Aos::Matrix3& expected, float tolerance = 1e-5f) {
  return detail::Compare<Vectormath::Aos::Matrix3>(actual, expected, tolerance, 9,
                                                   [](const auto& m, int i) { return m.getElem(i / 3, i % 3); });
}
inline ::testing::AssertionResult MatNear(const Vectormath::Aos::Matrix4& actual,
                                          const Vectormath::Aos::Matrix4& expected, float tolerance = 1e-5f) {
  return detail::Compare<Vectormath::Aos::Matrix4>(actual, expected, tolerance, 16,
                                                   [](const auto& m, int i) { return m.getElem(i / 4, i % 4); });
}

}  // namespace tidewater_test
