#pragma once
// Near-equality checks for Vectormath::Aos values, for any test suite:
//   EXPECT_TRUE(VecNear(transform.GetScale(), Vector3(1, 2, 3)));
// On failure both values are printed in full, matrices row by row.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "vectormath/vectormath_aos.h"

namespace tidewater_test {

namespace detail {
inline float Elem(const Vectormath::Aos::Vector3& v, int i) { return v.getElem(i); }
inline float Elem(const Vectormath::Aos::Vector4& v, int i) { return v.getElem(i); }
inline float Elem(const Vectormath::Aos::Matrix3& m, int i) { return m.getElem(i % 3, i / 3); }
inline float Elem(const Vectormath::Aos::Matrix4& m, int i) { return m.getElem(i % 4, i / 4); }

template <typename T>
::testing::AssertionResult Compare(const T& actual, const T& expected, float tolerance, int count) {
  const auto show = [count](const T& value) {
    std::ostringstream os;
    for (int i = 0; i < count; ++i) os << (i == 0 ? "(" : ", ") << Elem(value, i);
    return os.str() + ")";
  };
  for (int i = 0; i < count; ++i) {
    // NaN never compares near, so a broken normalize cannot pass.
    if (!(std::fabs(Elem(actual, i) - Elem(expected, i)) <= tolerance)) {
      return ::testing::AssertionFailure()
             << show(actual) << " is not within " << tolerance << " of " << show(expected) << " (element " << i << ")";
    }
  }
  return ::testing::AssertionSuccess();
}
}  // namespace detail

inline ::testing::AssertionResult VecNear(const Vectormath::Aos::Vector3& actual,
                                          const Vectormath::Aos::Vector3& expected, float tolerance = 1e-5f) {
  return detail::Compare(actual, expected, tolerance, 3);
}
inline ::testing::AssertionResult VecNear(const Vectormath::Aos::Vector4& actual,
                                          const Vectormath::Aos::Vector4& expected, float tolerance = 1e-5f) {
  return detail::Compare(actual, expected, tolerance, 4);
}
inline ::testing::AssertionResult MatNear(const Vectormath::Aos::Matrix3& actual,
                                          const Vectormath::Aos::Matrix3& expected, float tolerance = 1e-5f) {
  return detail::Compare(actual, expected, tolerance, 9);
}
inline ::testing::AssertionResult MatNear(const Vectormath::Aos::Matrix4& actual,
                                          const Vectormath::Aos::Matrix4& expected, float tolerance = 1e-5f) {
  return detail::Compare(actual, expected, tolerance, 16);
}

}  // namespace tidewater_test
