#pragma once
#include "meta/MetaData.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// A Vector3 as components store it for the text format: three plain floats.
// Converts to and from Vector3 implicitly, so a member of this type can be
// used where a vector is expected.
class TW_API MetaVec3 {
 public:
  // Leaves the floats unset, as a plain struct would.
  MetaVec3() = default;
  MetaVec3(const Vectormath::Aos::Vector3& vector);
  MetaVec3(const MetaVec3& other) = default;
  MetaVec3& operator=(const MetaVec3& other) = default;
  operator Vectormath::Aos::Vector3() const { return {x_, y_, z_}; }

  static META::MetaData meta_;
  static void AddMeta();

  float x_;
  float y_;
  float z_;
};
